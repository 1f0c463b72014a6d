#include "gallery/SkinPicture.h"

#include "gallery/PictureFiles.h"
#include "platform/Bitmap.h"
#include "platform/Errors.h"
#include "platform/ImageFile.h"
#include "skin/MainComposition.h"

namespace fs = std::filesystem;

namespace tf {

SkinPicture MakeSkinPicture(const fs::path& source)
{
    SkinPicture picture;
    try {
        const PictureFiles files = ReadPictureFiles(source);
        if (files.Result != PictureFiles::Outcome::Found) {
            picture.Kind = files.Result == PictureFiles::Outcome::NoSkin ? PictureKind::NoSkin
                                                                         : PictureKind::Unreadable;
            picture.Reason = files.Reason;
            return picture;
        }
        const Bitmap main = Bitmap::FromImage(DecodeImageBytes(files.Main, QStringLiteral("main.bmp")));
        Bitmap titleBar;
        if (files.TitleBar) {
            try {
                titleBar = Bitmap::FromImage(DecodeImageBytes(*files.TitleBar, QStringLiteral("titlebar.bmp")));
            } catch (const AppError&) {
                // main.bmp alone still tells the skin apart.
            }
        }
        picture.Image = ComposeMainWindowPicture(main, titleBar.isEmpty() ? nullptr : &titleBar).image();
        picture.Kind = PictureKind::Picture;
    } catch (const AppError& failure) {
        picture.Kind = PictureKind::Unreadable;
        picture.Reason = failure.message();
    } catch (const std::exception& failure) {
        picture.Kind = PictureKind::Unreadable;
        picture.Reason = QString::fromLocal8Bit(failure.what());
    }
    return picture;
}

} // namespace tf
