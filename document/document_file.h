#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "plan/plan_model.h"
#include "plan/plan_object.h"

// The plan document: an INI file with the section "Application" and one section "Object<n>" per
// object of the plan, in list order. These functions only translate between records and bytes;
// they neither touch the window nor project anything to pixels.

// The "Version" value of "Application" (also the window caption).
QString DocumentVersionText();

// Every object gets all keys of every kind, in the fixed order, with the record's own values.
QByteArray DocumentToBytes(std::span<const TPlanObject* const> objects);
QByteArray DocumentToBytes(const std::vector<std::unique_ptr<TPlanObject>>& objects);
QByteArray DocumentToBytes(const std::vector<TPlanObject>& objects);
// The bytes a save writes for a plan held as its model.
QByteArray DocumentToBytes(const TPlanModel& model);

// Replaces the file as a whole: on failure the old file is untouched and the result is
// "Unable to write to <path>"; on success it is empty.
QString SaveDocumentFile(const QString& path,
                         const std::vector<std::unique_ptr<TPlanObject>>& objects);

// The objects of a document, or why it cannot be opened; never both. The records carry the
// header (CreateIndex = section number, ObjName as stored, ObjType, ObjVisible) and every
// millimetre field, and nothing else: pixel values, outlines and layers are left for the window to
// make. BellDiameter is set for bells only. Stored names are kept even when two bells or beams
// share one; the window's naming rule settles that when it creates the objects.
struct TDocumentContent {
  std::vector<TPlanObject> Objects;
  QString Error;
  QStringList Warnings;  // bells left out and values brought into range, one line each
  bool Ok() const { return Error.isEmpty(); }
};

// The whole file is checked before anything is returned: the sections Object0 (walls) and
// Object1 (pedestal) must be there, sections after them must hold bells or beams, every point
// must be two integers, the walls' outer diameter must be positive and no size or position may
// lie more than kMaxPlanFactor outer diameters away from the plan (such numbers would overflow
// pixel arithmetic). With a catalogue given, every bell's diameter must be one of it; two bells
// never share a diameter. Reading stops at the first missing section number, and a document of
// more than kMaxDocumentObjects sections is refused: each object costs the window a layer and a
// list entry, and a file of hundreds of thousands of them would take it hours and gigabytes.
// Values are kept as stored where the plan can draw them; the rest are brought into range and
// named, one line each, among the warnings (document/drawable_values.h). Every warning and
// error names its place (document/document_place.h): the file by `fileName` when one is given,
// the section and the key with its value. A broken point keeps the integer's message as the
// first line of the error and names the place on a second.
inline constexpr std::int64_t kMaxPlanFactor = 1000;
inline constexpr std::size_t kMaxDocumentObjects = 10000;
TDocumentContent ParseDocument(QByteArrayView bytes,
                               std::span<const std::int32_t> bellDiameters = {},
                               const QString& fileName = {});
// As ParseDocument, with a message when the file cannot be read. Files larger than
// kMaxDocumentBytes are not plans and are refused unread. The notes name the file by its name.
inline constexpr qint64 kMaxDocumentBytes = 16 * 1024 * 1024;
TDocumentContent ReadDocumentFile(const QString& path,
                                  std::span<const std::int32_t> bellDiameters = {});
