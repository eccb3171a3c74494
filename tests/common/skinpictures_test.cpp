#include "qtprinters.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

const QString kDataFolder = QStringLiteral(VEXLO_DATA_SOURCE_DIR);

// Label colours as the settings keep them, 0x00BBGGRR.
constexpr quint32 kRed = 255;
constexpr quint32 kGreen = 65280;
constexpr quint32 kYellow = 65535;
constexpr quint32 kWhite = 16777215;
constexpr quint32 kBlack = 0;
constexpr quint32 kBlue = 16711680;
constexpr quint32 kPurple = 12583104;
constexpr quint32 kPaleCyan = 16777088;

struct Skin {
    const char* file;
    quint32 label1;
    quint32 label2;
};

// Every skin with the two colours its labels are drawn in.
const Skin kSkins[] = {
    {"Granite1.gif", kYellow, kGreen}, {"Granite2.gif", kWhite, kYellow},
    {"Granite3.gif", kBlack, kRed},    {"Marble1.gif", kRed, kBlack},
    {"Marble2.gif", kYellow, kWhite},  {"Marble3.gif", kRed, kPurple},
    {"Marble4.gif", kRed, kYellow},    {"Marble5.gif", kWhite, kGreen},
    {"Travert1.gif", kRed, kPurple},   {"Travert2.gif", kWhite, kYellow},
    {"Travert3.gif", kRed, kPurple},   {"Travert4.gif", kRed, kPurple},
    {"Travert5.gif", kWhite, kYellow}, {"Wood0.gif", kYellow, kWhite},
    {"Wood1.gif", kYellow, kPaleCyan}, {"Wood2.gif", kRed, kPurple},
    {"Wood3.gif", kWhite, kYellow},    {"Wood4.gif", kRed, kBlue},
    {"Wood5.gif", kYellow, kWhite},
};

// A panel is about 230 x 200 and the pictures must cover it at twice the normal scale.
constexpr int kMinimumWidth = 480;
constexpr int kMinimumHeight = 420;

QImage load(const char* file)
{
    return QImage(QDir(kDataFolder).filePath(QString::fromLatin1(file)))
        .convertToFormat(QImage::Format_RGB32);
}

// Relative luminance as WCAG defines it, from a table of the linear value of each 8-bit level.
double luminance(int red, int green, int blue)
{
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            table[size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return 0.2126 * linear[size_t(red)] + 0.7152 * linear[size_t(green)] +
           0.0722 * linear[size_t(blue)];
}

double luminanceOfLabel(quint32 bgr)
{
    return luminance(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The mean luminance of the whole picture and of each area of a grid laid over it.
struct Luminances {
    double whole = 0;
    std::vector<double> areas; // row by row
};

Luminances luminances(const QImage& image, int grid)
{
    const int w = image.width() / grid;
    const int h = image.height() / grid;
    Luminances result;
    result.areas.assign(size_t(grid * grid), 0.0);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double l = luminance(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
            result.whole += l;
            if (x < w * grid && y < h * grid)
                result.areas[size_t((y / h) * grid + x / w)] += l;
        }
    }
    result.whole /= double(image.width()) * image.height();
    for (double& area : result.areas)
        area /= double(w) * h;
    return result;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SkinPictures, EachLoadsCoversAPanelAtDoubleScaleAndHasTexture)
{
    for (const Skin& skin : kSkins) {
        SCOPED_TRACE(skin.file);
        const QImage image = load(skin.file);
        ASSERT_FALSE(image.isNull());
        EXPECT_GE(image.width(), kMinimumWidth);
        EXPECT_GE(image.height(), kMinimumHeight);
        // A stone or a board, not a flat fill: many tones, and no tone covering most of it.
        QHash<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        EXPECT_GE(counts.size(), 32);
        int commonest = 0;
        for (int n : std::as_const(counts))
            commonest = std::max(commonest, n);
        EXPECT_LT(commonest, image.width() * image.height() / 4);
    }
}

TEST(SkinPictures, NoTwoSkinsShareAPicture)
{
    std::vector<QImage> images;
    for (const Skin& skin : kSkins)
        images.push_back(load(skin.file));
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j)
            EXPECT_FALSE(images[i] == images[j]) << kSkins[i].file << " and " << kSkins[j].file;
}

// Labels can sit anywhere on a panel, so both colours must stand out against every part of the
// picture, not only on average: 3:1 against the mean of each area of an eight by eight grid.
TEST(SkinPictures, BothLabelColoursStandOutEverywhere)
{
    constexpr double kMinimumContrast = 3.0;
    constexpr int kGrid = 8;
    for (const Skin& skin : kSkins) {
        SCOPED_TRACE(skin.file);
        const QImage image = load(skin.file);
        ASSERT_FALSE(image.isNull());
        const Luminances picture = luminances(image, kGrid);
        for (const quint32 label : {skin.label1, skin.label2}) {
            const double labelLuminance = luminanceOfLabel(label);
            EXPECT_GE(contrast(labelLuminance, picture.whole), kMinimumContrast)
                << "label colour " << label << " on the whole picture";
            size_t worst = 0;
            for (size_t i = 1; i < picture.areas.size(); ++i)
                if (contrast(labelLuminance, picture.areas[i]) <
                    contrast(labelLuminance, picture.areas[worst]))
                    worst = i;
            EXPECT_GE(contrast(labelLuminance, picture.areas[worst]), kMinimumContrast)
                << "label colour " << label << " in area " << worst % kGrid << "," << worst / kGrid
                << " of the " << kGrid << " by " << kGrid << " grid";
        }
    }
}

// The pictures in data/ are exactly what the generator writes, so they can be remade from the
// source at any time and a change to the generator cannot go unnoticed.
TEST(SkinPictures, TheGeneratorWritesTheDataFolderPicturesByteForByte)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess generator;
    generator.start(QStringLiteral(VEXLO_MAKE_SKINS), {folder.path()});
    ASSERT_TRUE(generator.waitForFinished(240000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();

    QStringList expected;
    for (const Skin& skin : kSkins)
        expected << QString::fromLatin1(skin.file);
    expected.sort();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), expected);

    for (const Skin& skin : kSkins) {
        SCOPED_TRACE(skin.file);
        const QByteArray made =
            bytesOf(QDir(folder.path()).filePath(QString::fromLatin1(skin.file)));
        const QByteArray kept = bytesOf(QDir(kDataFolder).filePath(QString::fromLatin1(skin.file)));
        ASSERT_FALSE(made.isEmpty());
        EXPECT_TRUE(made == kept) << "made " << made.size() << " bytes, data/ holds "
                                  << kept.size();
    }
}
