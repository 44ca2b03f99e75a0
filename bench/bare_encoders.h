#pragma once

#include <QImage>
#include <vector>

// The yardsticks for picture export: libpng and libjpeg called as directly as they can be on the
// composed plan (32-bit xRGB rows handed to the libraries as they are), with the settings the
// export uses. They keep no error path beyond what the libraries need.

// 8-bit RGB, deflate level 7, Sub filter, 65535-byte compression buffer.
std::vector<unsigned char> BarePng(const QImage& rgb32);
// Quality 75, floating-point DCT, baseline.
std::vector<unsigned char> BareJpeg(const QImage& rgb32);
