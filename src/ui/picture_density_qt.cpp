#include "ui/picture_density_qt.h"

#include <QImageReader>

#include "ui/qt_text.h"

namespace vargo {

std::string doubleDensityName(std::string_view name) {
    const std::string suffix = "@" + std::to_string(kPictureDensity) + "x";
    const size_t slash = name.find_last_of("/\\");
    const size_t fileStart = slash == std::string_view::npos ? 0 : slash + 1;
    const size_t dot = name.find_last_of('.');
    // A dot that opens the file name (".hidden") or sits in a folder's name is no extension.
    if (dot == std::string_view::npos || dot <= fileStart) {
        return std::string(name) + suffix;
    }
    return std::string(name.substr(0, dot)) + suffix + std::string(name.substr(dot));
}

QImage loadPicture(const GameFolder& folder, std::string_view name, qreal screenRatio) {
    const QString onePath = q(folder.resolve(name).string());
    if (screenRatio > 1.0) {
        // The 1x picture's size comes from its header; only the file that is shown is decoded.
        const QSize oneSize = QImageReader(onePath).size();
        if (oneSize.isValid()) {
            QImage two(q(folder.resolve(doubleDensityName(name)).string()));
            if (!two.isNull() && two.size() == oneSize * kPictureDensity) {
                two.setDevicePixelRatio(kPictureDensity);
                return two;
            }
        }
    }
    return QImage(onePath);
}

QPixmap loadPixmap(const GameFolder& folder, std::string_view name, qreal screenRatio) {
    const QImage image = loadPicture(folder, name, screenRatio);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QPixmap fitPicture(const QPixmap& picture, QSize box) {
    if (picture.isNull()) {
        return picture;
    }
    const qreal density = picture.devicePixelRatio();
    QPixmap fitted = picture.scaled(box * density, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(density);
    return fitted;
}

}  // namespace vargo
