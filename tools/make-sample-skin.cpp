// Draws the bundled sample skin, an original Winamp 2 classic skin, into a
// folder: make-sample-skin <folder>. Run it again after changing the art;
// the folder's files are replaced.

#include "platform/ImageFile.h"
#include "tools/SampleSkin.h"
#include "tools/ToolStart.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool WriteBytes(const std::filesystem::path& path, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make-sample-skin: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

bool WriteBitmap(const std::filesystem::path& folder, const char* name, const QImage& image)
{
    return WriteBytes(folder / name, tf::EncodeBmp24(image));
}

bool WriteText(const std::filesystem::path& folder, const char* name, const std::string& text)
{
    return WriteBytes(folder / name, QByteArray::fromStdString(text));
}

bool WriteSkin(const std::filesystem::path& folder)
{
    using namespace tf::sample;
    const QImage titleBar = PaintTitleBar();
    const QImage positionBar = PaintPositionBar();
    const QImage volume = PaintVolume();
    const QImage balance = PaintBalance();
    const QImage monoStereo = PaintMonoStereo();
    const QImage numbers = PaintDigits(false);
    const QImage main = PaintMainWindow({titleBar, positionBar, volume, balance, monoStereo, numbers});

    bool ok = WriteBitmap(folder, "main.bmp", main);
    ok = WriteBitmap(folder, "cbuttons.bmp", PaintTransportButtons()) && ok;
    ok = WriteBitmap(folder, "shufrep.bmp", PaintShuffleRepeat()) && ok;
    ok = WriteBitmap(folder, "titlebar.bmp", titleBar) && ok;
    ok = WriteBitmap(folder, "pledit.bmp", PaintPlaylist()) && ok;
    ok = WriteBitmap(folder, "eqmain.bmp", PaintEqualizer()) && ok;
    ok = WriteBitmap(folder, "posbar.bmp", positionBar) && ok;
    ok = WriteBitmap(folder, "numbers.bmp", numbers) && ok;
    ok = WriteBitmap(folder, "nums_ex.bmp", PaintDigits(true)) && ok;
    ok = WriteBitmap(folder, "text.bmp", PaintTextFont()) && ok;
    ok = WriteBitmap(folder, "volume.bmp", volume) && ok;
    ok = WriteBitmap(folder, "balance.bmp", balance) && ok;
    ok = WriteBitmap(folder, "monoster.bmp", monoStereo) && ok;
    ok = WriteText(folder, "region.txt", RegionText()) && ok;
    ok = WriteText(folder, "viscolor.txt", ViscolorText()) && ok;
    ok = WriteText(folder, "pledit.txt", PleditText()) && ok;
    ok = WriteText(folder, "Sexyfont.txt", SexyfontText()) && ok;
    ok = WriteText(folder, "Maron.txt", MaronText()) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    tf::tools::UseOffscreenUnlessSet();
    QGuiApplication application(argc, argv);
    const char* target = tf::tools::OnlyArgument(argc, argv, "make-sample-skin <folder>");
    if (!target)
        return 2;
    const std::filesystem::path folder(target);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "make-sample-skin: cannot create %s\n", folder.string().c_str());
        return 1;
    }
    return WriteSkin(folder) ? 0 : 1;
}
