#include "support/SkinFixture.h"

#include "platform/ImageFile.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace tf::test {

const std::vector<FixtureBitmap>& StandardBitmaps()
{
    static const std::vector<FixtureBitmap> bitmaps = {
        {kMainBmp, "main.bmp", 275, 116},        {kCButtonsBmp, "cbuttons.bmp", 136, 36},
        {kShufRepBmp, "shufrep.bmp", 92, 85},    {kTitleBarBmp, "titlebar.bmp", 344, 87},
        {kPlEditBmp, "pledit.bmp", 280, 186},    {kEqMainBmp, "eqmain.bmp", 275, 315},
        {kPosBarBmp, "posbar.bmp", 307, 10},     {kNumbersBmp, "numbers.bmp", 99, 13},
        {kNumsExBmp, "nums_ex.bmp", 108, 13},    {kTextBmp, "text.bmp", 155, 18},
        {kVolumeBmp, "volume.bmp", 68, 433},     {kBalanceBmp, "balance.bmp", 47, 433},
        {kMonoSterBmp, "monoster.bmp", 56, 24},
    };
    return bitmaps;
}

std::string_view StandardName(SourceFile file)
{
    switch (file) {
    case kVisColorTxt: return "viscolor.txt";
    case kPlEditTxt: return "pledit.txt";
    case kRegionTxt: return "region.txt";
    case kSexyFontTxt: return "Sexyfont.txt";
    case kMaronTxt: return "Maron.txt";
    default: break;
    }
    for (const FixtureBitmap& bitmap : StandardBitmaps())
        if (bitmap.File == file)
            return bitmap.Name;
    throw std::logic_error("no standard name");
}

QImage FixtureImage(SourceFile file, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = ToQRgb(FixturePixel(file, x, y));
    }
    return image;
}

SkinFixture::SkinFixture(fs::path folder)
    : m_folder(std::move(folder))
{
    fs::create_directories(m_folder);
}

std::string SkinFixture::StandardRegionText()
{
    // The main window without its four corner pixels, and the equalizer as a
    // plain rectangle.
    return "[Normal]\r\n"
           "NumPoints=12\r\n"
           "PointList=1,0, 274,0, 274,1, 275,1, 275,115, 274,115, 274,116, 1,116, 1,115, 0,115, "
           "0,1, 1,1\r\n"
           "\r\n"
           "[Equalizer]\r\n"
           "NumPoints=4\r\n"
           "PointList=0,0,275,0,275,116,0,116\r\n";
}

std::string SkinFixture::StandardViscolorText()
{
    std::string text;
    for (int line = 0; line < 24; ++line)
        text += std::to_string(line * 10) + "," + std::to_string(line) + "," + std::to_string(255 - line)
            + ", // colour " + std::to_string(line) + "\r\n";
    return text;
}

std::string SkinFixture::StandardPleditText()
{
    return "[Text]\r\n"
           "Normal=#00FF00\r\n"
           "Current=#FFFFFF\r\n"
           "NormalBG=#000010\r\n"
           "SelectedBG=#0000C6\r\n"
           "Font=Arial\r\n";
}

SkinFixture& SkinFixture::writeStandard()
{
    for (const FixtureBitmap& bitmap : StandardBitmaps())
        writeBitmap(bitmap.File, bitmap.Width, bitmap.Height);
    writeText("region.txt", StandardRegionText());
    writeText("viscolor.txt", StandardViscolorText());
    writeText("pledit.txt", StandardPleditText());
    writeText("Sexyfont.txt", "[YunaSoft SexyFont Plug-In]\r\nFontFace=MS UI Gothic\r\nFontSize=8\r\n"
                              "DropShadow=0\r\nDropShadowInfo=0\r\nDropShadowTime=0\r\n");
    writeText("Maron.txt", "[MARON]\r\nEnable=1\r\n");
    return *this;
}

SkinFixture& SkinFixture::writeBitmap(SourceFile file, int width, int height)
{
    return writeBitmap(StandardName(file), FixtureImage(file, width, height));
}

SkinFixture& SkinFixture::writeBitmap(std::string_view name, const QImage& image)
{
    const QByteArray bytes = EncodeBmp24(image);
    return writeText(name, std::string_view(bytes.constData(), size_t(bytes.size())));
}

SkinFixture& SkinFixture::writeText(std::string_view name, std::string_view bytes)
{
    std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write fixture file " + std::string(name));
    return *this;
}

SkinFixture& SkinFixture::remove(std::string_view name)
{
    std::error_code error;
    fs::remove(path(name), error);
    return *this;
}

SkinFixture& SkinFixture::renameAll(char (*transform)(char))
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(m_folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    for (const fs::path& file : files) {
        std::string name = file.filename().string();
        for (char& c : name)
            c = transform(c);
        fs::rename(file, m_folder / name);
    }
    return *this;
}

} // namespace tf::test
