#include "document/image_writers.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/jpeg_reader.h"
#include "platform/resource_picture.h"
#include "support/test_files.h"

namespace {

QImage Sample(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.fillRect(0, 0, w / 2, h / 2, QColor(200, 30, 40));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(20, 60, 210));
  return img;
}

QImage Noise(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  QRandomGenerator rng(42);
  for (int y = 0; y < h; ++y) {
    uchar* row = img.scanLine(y);
    for (int x = 0; x < 3 * w; ++x) row[x] = static_cast<uchar>(rng.bounded(256));
  }
  return img;
}

std::uint32_t Le32(const QByteArray& b, int at) {
  return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}
std::uint16_t Le16(const QByteArray& b, int at) {
  return qFromLittleEndian<std::uint16_t>(b.constData() + at);
}

TEST(ExportFileName, TheExtensionIsAppendedNeverReplaced) {
  struct Case {
    const char* chosen;
    TExportFormat format;
    const char* expected;
  };
  const Case cases[] = {
      {"plan", TExportFormat::Jpeg, "plan.jpg"},
      {"plan.jpg", TExportFormat::Jpeg, "plan.jpg"},
      {"plan.JPG", TExportFormat::Jpeg, "plan.JPG.jpg"},
      {"plan.BMP", TExportFormat::Bmp, "plan.BMP.bmp"},
      {"plan.png", TExportFormat::Jpeg, "plan.png.jpg"},
      {"plan.png", TExportFormat::Png, "plan.png"},
      {"plan.", TExportFormat::Bmp, "plan..bmp"},
      {"/home/a.jpg/plan", TExportFormat::Jpeg, "/home/a.jpg/plan.jpg"},
      {"/tmp/.bmp", TExportFormat::Bmp, "/tmp/.bmp"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExportFileName(QString::fromUtf8(c.chosen), c.format), QString::fromUtf8(c.expected))
        << c.chosen;
  }
}

TEST(ImageWriters, BmpHeaderAndPixels) {
  const QImage img = Sample(5, 3);  // 15 bytes a row, padded to 16
  QString error;
  const QByteArray b = MakeBmp(img, &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  ASSERT_EQ(b.size(), 54 + 16 * 3);
  EXPECT_EQ(b.left(2), QByteArray("BM"));
  EXPECT_EQ(Le32(b, 2), 54u + 48u);  // file size
  EXPECT_EQ(Le32(b, 10), 54u);       // pixel offset
  EXPECT_EQ(Le32(b, 14), 40u);       // info header size
  EXPECT_EQ(Le32(b, 18), 5u);
  EXPECT_EQ(Le32(b, 22), 3u);  // positive: bottom-up
  EXPECT_EQ(Le16(b, 26), 1u);
  EXPECT_EQ(Le16(b, 28), 24u);
  EXPECT_EQ(Le32(b, 30), 0u);  // no compression
  EXPECT_EQ(Le32(b, 34), 48u);
  // The first stored row is the bottom one; its right half is blue, stored as B, G, R.
  EXPECT_EQ(static_cast<uchar>(b[54 + 3 * 4]), 210);
  EXPECT_EQ(static_cast<uchar>(b[54 + 3 * 4 + 2]), 20);
  EXPECT_EQ(b.mid(54 + 15, 1), QByteArray(1, '\0'));  // padding

  const QImage back = QImage::fromData(b, "BMP");
  ASSERT_FALSE(back.isNull());
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(back.pixel(x, y), img.pixel(x, y)) << x << "," << y;
  }
}

// Every pixel its own colour, so that a row read from the wrong place shows.
QColor Distinct(int x, int y) { return QColor(10 + 30 * x, 100 + 50 * y, 250 - 20 * x - 7 * y); }

QImage DistinctImage(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixelColor(x, y, Distinct(x, y));
  return img;
}

// Rows of 3 * w bytes are padded to a multiple of four: 4, 8, 12, 12, 16, 20, 24, 24.
TEST(ImageWriters, BmpRowsOfEveryWidthByteByByte) {
  const int strides[] = {4, 8, 12, 12, 16, 20, 24, 24};
  const int h = 3;
  for (int w = 1; w <= 8; ++w) {
    SCOPED_TRACE("width " + std::to_string(w));
    const int stride = strides[w - 1];
    const QByteArray b = MakeBmp(DistinctImage(w, h));
    ASSERT_EQ(b.size(), 54 + stride * h);
    EXPECT_EQ(Le32(b, 2), static_cast<std::uint32_t>(54 + stride * h));
    EXPECT_EQ(Le32(b, 18), static_cast<std::uint32_t>(w));
    EXPECT_EQ(Le32(b, 22), static_cast<std::uint32_t>(h));
    EXPECT_EQ(Le32(b, 34), static_cast<std::uint32_t>(stride * h));
    QByteArray rows;
    for (int y = h - 1; y >= 0; --y) {  // bottom row first
      QByteArray row;
      for (int x = 0; x < w; ++x) {
        const QColor c = Distinct(x, y);
        row.append(static_cast<char>(c.blue()));
        row.append(static_cast<char>(c.green()));
        row.append(static_cast<char>(c.red()));
      }
      row.append(QByteArray(stride - 3 * w, '\0'));
      rows += row;
    }
    EXPECT_EQ(b.mid(54).toHex().toStdString(), rows.toHex().toStdString());
  }
}

TEST(ImageWriters, PngOfEveryWidthDecodesToTheSamePixels) {
  for (int w = 1; w <= 8; ++w) {
    const QImage img = DistinctImage(w, 3);
    const QImage back = QImage::fromData(MakePng(img), "PNG");
    ASSERT_EQ(back.size(), img.size()) << "width " << w;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < w; ++x)
        EXPECT_EQ(back.pixelColor(x, y), Distinct(x, y)) << w << ": " << x << "," << y;
  }
}

// Lossy, so the picture is one the encoder keeps almost exactly: black rows over white ones,
// on the boundary of the 8-pixel blocks. A row taken from the wrong offset turns grey.
TEST(ImageWriters, JpegOfEveryWidthDecodesBackRowByRow) {
  for (int w = 1; w <= 8; ++w) {
    QImage img(w, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < w; ++x) img.setPixelColor(x, y, QColor(0, 0, 0));
    const QImage back = ReadJpegPicture(MakeJpeg(img, 75));
    ASSERT_EQ(back.size(), img.size()) << "width " << w;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < w; ++x)
        EXPECT_NEAR(back.pixelColor(x, y).value(), y < 8 ? 0 : 255, 16)
            << w << ": " << x << "," << y;
  }
}

TEST(ImageWriters, JpegIsBaselineJfifAtQuality75) {
  const QImage img = Sample(64, 48);
  QString error;
  const QByteArray j = MakeJpeg(img, 75, &error);
  ASSERT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(j.left(2), QByteArray("\xFF\xD8"));
  EXPECT_EQ(j.mid(6, 5), QByteArray("JFIF\0", 5));
  EXPECT_TRUE(j.contains(QByteArray("\xFF\xC0", 2)));   // baseline frame
  EXPECT_FALSE(j.contains(QByteArray("\xFF\xC2", 2)));  // never progressive
  // The first luminance quantizer of the standard table scaled to quality 75: (16 * 50 + 50) / 100.
  const qsizetype dqt = j.indexOf(QByteArray("\xFF\xDB", 2));
  ASSERT_GE(dqt, 0);
  EXPECT_EQ(static_cast<uchar>(j[dqt + 4]), 0);  // 8-bit table 0
  EXPECT_EQ(static_cast<uchar>(j[dqt + 5]), 8);
  const QByteArray best = MakeJpeg(img, 100);
  EXPECT_EQ(static_cast<uchar>(best[best.indexOf(QByteArray("\xFF\xDB", 2)) + 5]), 1);
  const qsizetype sof = j.indexOf(QByteArray("\xFF\xC0", 2));
  EXPECT_EQ(static_cast<uchar>(j[sof + 9]), 3);  // colour: three components

  const QImage back = ReadJpegPicture(j);
  ASSERT_EQ(back.size(), img.size());
  const QColor red = back.pixelColor(8, 8);
  EXPECT_NEAR(red.red(), 200, 12);
  EXPECT_NEAR(red.green(), 30, 12);
  EXPECT_NEAR(back.pixelColor(56, 40).blue(), 210, 12);
}

struct Chunk {
  QByteArray type;
  QByteArray data;
};

std::vector<Chunk> PngChunks(const QByteArray& png) {
  std::vector<Chunk> chunks;
  qsizetype at = 8;
  while (at + 12 <= png.size()) {
    const std::uint32_t len = qFromBigEndian<std::uint32_t>(png.constData() + at);
    if (at + 12 + static_cast<qsizetype>(len) > png.size()) break;
    chunks.push_back({png.mid(at + 4, 4), png.mid(at + 8, len)});
    at += 12 + len;
  }
  return chunks;
}

// The export's writer and the thumbnails' quicker one: the same stream but for how hard it is
// deflated, which the zlib header names.
TEST(ImageWriters, PngChunksAndFilters) {
  const struct {
    const char* Name;
    QByteArray (*Make)(const QImage&, QString*);
    int HeaderLevel;  // the zlib header's level field: 3 for levels 7 to 9, 1 for 2 to 5
  } writers[] = {{"export", MakePng, 3}, {"quick", MakeQuickPng, 1}};
  const QImage img = Noise(300, 200);  // incompressible, so the data needs several chunks
  for (const auto& writer : writers) {
    SCOPED_TRACE(writer.Name);
    QString error;
    const QByteArray png = writer.Make(img, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(png.left(8), QByteArray("\x89PNG\r\n\x1A\n"));
    const std::vector<Chunk> chunks = PngChunks(png);
    ASSERT_FALSE(chunks.empty());
    ASSERT_EQ(chunks.front().type, QByteArray("IHDR"));
    const QByteArray& ihdr = chunks.front().data;
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(ihdr.constData()), 300u);
    EXPECT_EQ(qFromBigEndian<std::uint32_t>(ihdr.constData() + 4), 200u);
    EXPECT_EQ(ihdr[8], 8);   // bits per sample
    EXPECT_EQ(ihdr[9], 2);   // RGB
    EXPECT_EQ(ihdr[12], 0);  // not interlaced
    EXPECT_EQ(chunks.back().type, QByteArray("IEND"));

    QByteArray zdata;
    int idats = 0;
    for (const Chunk& c : chunks) {
      EXPECT_NE(c.type, QByteArray("tRNS"));
      if (c.type != "IDAT") continue;
      ++idats;
      EXPECT_LE(c.data.size(), 65535);
      zdata += c.data;
    }
    EXPECT_GE(idats, 3);
    EXPECT_EQ(chunks[1].data.size(), 65535);  // a full buffer is a full chunk
    EXPECT_EQ((static_cast<uchar>(zdata[1]) >> 6), writer.HeaderLevel);

    const int rowBytes = 1 + 3 * 300;
    QByteArray raw(rowBytes * 200, '\0');
    uLongf rawSize = static_cast<uLongf>(raw.size());
    ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &rawSize,
                         reinterpret_cast<const Bytef*>(zdata.constData()),
                         static_cast<uLong>(zdata.size())),
              Z_OK);
    ASSERT_EQ(rawSize, static_cast<uLongf>(raw.size()));
    for (int y = 0; y < 200; ++y) ASSERT_EQ(raw[y * rowBytes], 1) << "row " << y;  // Sub

    const QImage back = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB888);
    ASSERT_EQ(back, img);
  }
}

// The libraries refuse these sizes; their errors must come back as text, not end the program.
TEST(ImageWriters, EncoderErrorsAreReportedAndNothingIsWritten) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("plan.png"));
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  QImage wide(70000, 1, QImage::Format_RGB888);
  wide.fill(Qt::white);
  const QString jpegError = WriteJpeg(wide, path);
  EXPECT_TRUE(jpegError.startsWith(QStringLiteral("Не удалось записать рисунок JPEG: ")))
      << jpegError.toStdString();
  EXPECT_GT(jpegError.size(), 30);

  QImage wider(1000001, 1, QImage::Format_RGB888);
  wider.fill(Qt::white);
  const QString pngError = WritePng(wider, path);
  EXPECT_TRUE(pngError.startsWith(QStringLiteral("Не удалось записать рисунок PNG: ")))
      << pngError.toStdString();
  EXPECT_EQ(ReadAll(path), QByteArray("old"));

  for (TExportFormat f : {TExportFormat::Bmp, TExportFormat::Jpeg, TExportFormat::Png}) {
    EXPECT_FALSE(WriteImage(QImage(), path, f).isEmpty());
  }
  EXPECT_EQ(ReadAll(path), QByteArray("old"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ImageWriters, WritesFilesAndReportsUnwritablePaths) {
  QTemporaryDir dir;
  const QImage img = Sample(20, 10);
  for (TExportFormat f : {TExportFormat::Bmp, TExportFormat::Jpeg, TExportFormat::Png}) {
    const QString path = ExportFileName(dir.filePath(QStringLiteral("plan")), f);
    EXPECT_EQ(WriteImage(img, path, f), QString());
    EXPECT_EQ(ResourcePicture(path).size(), img.size()) << path.toStdString();
    const QString bad = dir.filePath(QStringLiteral("none/plan")) + ExportExtension(f);
    EXPECT_EQ(WriteImage(img, bad, f), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(bad));
  }
}

}  // namespace
