#pragma once
// The About box, opened from the main window's system menu.

#include <QDialog>
#include <QIcon>

namespace serverconf {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(const QIcon& programIcon, QWidget* parent = nullptr);

    static QString versionText();
    static QString descriptionText();
};

}  // namespace serverconf
