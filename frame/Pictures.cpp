#include "frame/Pictures.h"

#include "core/RunError.h"
#include "frame/PictureBox.h"

#include <QPushButton>

// The pictures are linked from a static library, so their resource must be registered by hand; the
// macro has to be used outside any namespace.
static void initPictureResource()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

const QString kHandPicture = QStringLiteral("hand.xpm");
constexpr int kHandHotX = 12;
constexpr int kHandHotY = 6;
// The platform's number for a resource that is not there, and the id the cursor had in the table.
constexpr int kResourceNotFound = 326;

} // namespace

QPixmap Picture(const QString& name)
{
    static const bool registered = (initPictureResource(), true);
    Q_UNUSED(registered);
    return QPixmap(QStringLiteral(":/pictures/") + name);
}

QCursor HandCursor()
{
    const QPixmap hand = Picture(kHandPicture);
    if (hand.isNull())
        throw RunError(kResourceNotFound, QStringLiteral("Resource with identifier '101' not found"));
    return QCursor(hand, kHandHotX, kHandHotY);
}

void LoadBackPicture(PictureBox& box)
{
    const QPixmap tile = Picture(QStringLiteral("back.png"));
    box.setPixmap(tile);
    box.setScaledContents(true);
    if (tile.isNull())
        return;
    // The box's inner size is the size of every tile and the step of the tiling: fitted to the picture,
    // the tiles are drawn unscaled, whatever the screen's resolution makes of the box's twips.
    const QSize frame = box.size() - box.contentsRect().size();
    box.resize(tile.size() + frame);
}

void SetPictureButton(QPushButton& button, const QString& picture, const QString& words)
{
    button.setIcon(QIcon(Picture(picture)));
    button.setIconSize(button.size() - QSize(8, 8));
    button.setToolTip(words);
    button.setAccessibleName(words);
}

QIcon AppIcon()
{
    QIcon icon;
    icon.addPixmap(Picture(QStringLiteral("password-corvalen-32.png")));
    icon.addPixmap(Picture(QStringLiteral("password-corvalen-256.png")));
    return icon;
}
