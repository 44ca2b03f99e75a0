#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Documents and settings files are single-byte Cyrillic (code page 1251) text.

// Every byte decodes to one character; the one byte without a letter (0x98) becomes U+0098 so
// that a file read and written back keeps its bytes.
QString Cp1251ToString(QByteArrayView bytes);

// Characters with no code in the page, and unpaired surrogates, become '?', one per character.
QByteArray StringToCp1251(QStringView text);
// The same bytes put at the end of `out`, with no array of their own made for them.
void AppendCp1251(QByteArray& out, QStringView text);
