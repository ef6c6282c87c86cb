#include "dialogs/about_dialog.h"

#include "dialogs/dialog_fonts.h"
#include "dialogs/dialog_units.h"

#include <QLabel>
#include <QPushButton>

namespace serverconf {

AboutDialog::AboutDialog(const QIcon& programIcon, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("关于 "));
    const DialogUnits units = layOutDialog(this, songFont(9), 235, 55);
    auto* icon = new QLabel(this);
    units.place(icon, 11, 17, 20, 20);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(programIcon.pixmap(32, 32));
    auto* version = new QLabel(versionText(), this);
    units.place(version, 40, 10, 119, 8);
    auto* description = new QLabel(descriptionText(), this);
    units.place(description, 40, 25, 119, 8);
    auto* ok = new QPushButton(tr("确定"), this);
    units.place(ok, 178, 7, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString AboutDialog::versionText() { return tr("SW 1.0 版"); }

QString AboutDialog::descriptionText() { return tr("串口设备服务器配置工具"); }

}  // namespace serverconf
