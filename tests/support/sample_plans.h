#pragma once

#include <QByteArray>

// Plans for tests and benchmarks, written by the document writer.

// A plan with the last `bells` catalogue bells (each once), `chordBeems` beams on chords 1..n
// and `freeBeems` free beams scattered over the walls.
QByteArray PlanDocumentBytes(int bells, int chordBeems, int freeBeems);
// The full plan: every bell, every chord and 200 free beams.
QByteArray FullDocumentBytes();
// The walls, the pedestal and `beams` beams, all named `name` (no name key when empty).
QByteArray SameNameBeemsDocument(int beams, const QByteArray& name);
