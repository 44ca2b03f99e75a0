#pragma once

#include <QString>
#include <QStringView>
#include <cstddef>

// Where in a document a message points: the file, the object's section and the key with its
// value, so that the user can find the line in a text editor. In Russian, as the user reads it.

// "Object5", the name of the section of object n.
QString ObjectSectionName(std::size_t n);

// «Файл «plan.tarvosk», раздел [Object5], ключ BellDiameter_R = 777». Without a file name the
// text starts at the section («Раздел [Object5], …»); without a key it ends at the section.
QString DocumentPlaceText(const QString& fileName, std::size_t section, QStringView key = {},
                          QStringView value = {});

// The place and what happened there, as one sentence each: "<place>. <what>".
QString DocumentNote(const QString& fileName, std::size_t section, QStringView key,
                     QStringView value, const QString& what);
