// Every label, button and column heading of every window shows its whole
// text, in Chinese and in English: the text's width plus the style's
// margins is within the widget's content rectangle.

#include "app/device_manager_dialog.h"
#include "dialogs/about_dialog.h"
#include "dialogs/change_ip_dialog.h"
#include "dialogs/progress_dialog.h"
#include "dialogs/targeted_search_dialog.h"
#include "fake_network.h"
#include "language/translations.h"
#include "settings_dialogs/network_advanced_dialog.h"
#include "settings_dialogs/property_settings_dialog.h"
#include "settings_dialogs/serial_advanced_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace serverconf {
namespace {

QString withoutMnemonic(QString text) { return text.remove(u'&'); }

// The part of `widget`'s contents (in its own coordinates) that no sibling
// overlaps: a sibling over the end of a label (an edit field placed there)
// or over its start ends the part where its text can stand. Siblings that
// hold the widget whole (a group frame around it) do not count.
std::pair<int, int> visibleSpan(QWidget& widget) {
    const QRect contents = widget.contentsRect().translated(widget.pos());
    int left = contents.left();
    int right = contents.right();
    for (QObject* child : widget.parentWidget()->children()) {
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling == &widget || !sibling->isVisibleTo(widget.window())) continue;
        const QRect over = sibling->geometry();
        if (!over.intersects(contents) || over.contains(widget.geometry())) continue;
        if (over.left() > left) {
            right = qMin(right, over.left() - 1);
        } else {
            left = qMax(left, over.right() + 1);
        }
    }
    return {left - widget.x(), right - widget.x()};
}

// "what: text (needs N, has M)" for each widget of `window` whose text is cut.
QStringList cutTexts(QWidget& window) {
    QStringList cut;
    const auto report = [&](const QString& what, const QString& text, int needs, int has) {
        if (needs > has) cut << QStringLiteral("%1 \"%2\" needs %3 px, has %4").arg(what, text).arg(needs).arg(has);
    };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisibleTo(&window)) continue;
        // Where the label draws its text, and where the glyphs put ink: a
        // full-width colon ends well before its advance.
        const QFontMetrics metrics = label->fontMetrics();
        const QRect contents = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        const int advance = metrics.horizontalAdvance(label->text());
        const Qt::Alignment alignment = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        const int start = alignment & Qt::AlignRight     ? contents.right() + 1 - advance
                          : alignment & Qt::AlignHCenter ? contents.left() + (contents.width() - advance) / 2
                                                         : contents.left() + qMax(0, label->indent());
        const QRect ink = metrics.tightBoundingRect(label->text()).translated(start, 0);
        const auto [left, right] = visibleSpan(*label);
        if (ink.left() < left || ink.right() > right) {
            cut << QStringLiteral("label \"%1\" draws %2..%3, shows %4..%5")
                       .arg(label->text())
                       .arg(ink.left())
                       .arg(ink.right())
                       .arg(left)
                       .arg(right);
        }
    }
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(&window)) continue;
        // The style draws the text inside the button's contents, within its frame.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QString text = withoutMnemonic(button->text());
        const auto [left, right] = visibleSpan(*button);
        report(QStringLiteral("button"), text, button->fontMetrics().horizontalAdvance(text),
               qMin(contents.width(), right - left + 1));
    }
    for (QTableView* view : window.findChildren<QTableView*>()) {
        QHeaderView* header = view->horizontalHeader();
        const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column < header->count(); ++column) {
            const QString heading = view->model()->headerData(column, Qt::Horizontal).toString();
            report(QStringLiteral("column"), heading, header->fontMetrics().horizontalAdvance(heading) + margins,
                   header->sectionSize(column));
        }
    }
    return cut;
}

struct WindowCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> make;
};

testing::FakeNetwork& network() {
    static testing::FakeNetwork fake;
    return fake;
}

DeviceSession& session() {
    static DeviceSession held;
    return held;
}

DeviceParameters& parameters() { return session().parameters; }

const WindowCase kWindows[] = {
    {"device manager", [] { return std::make_unique<DeviceManagerDialog>(network(), session()); }},
    {"property settings",
     [] {
         return std::make_unique<PropertySettingsDialog>(network(), session(), DeviceRoute::unicast("192.168.1.30"));
     }},
    {"network advanced", [] { return std::make_unique<NetworkAdvancedDialog>(parameters()); }},
    {"serial advanced", [] { return std::make_unique<SerialAdvancedDialog>(parameters()); }},
    {"change IP", [] { return std::make_unique<ChangeIpDialog>(QStringLiteral("192.168.1.30")); }},
    {"targeted search", [] { return std::make_unique<TargetedSearchDialog>(); }},
    {"progress, search", [] { return std::make_unique<ProgressDialog>(ProgressMode::Search); }},
    {"progress, update", [] { return std::make_unique<ProgressDialog>(ProgressMode::Update); }},
    {"about", [] { return std::make_unique<AboutDialog>(QIcon()); }},
};

// What is cut on any page of `window` (the property dialog has two).
QStringList cutTextsOnEveryPage(QWidget& window) {
    auto* tabs = window.findChild<QTabWidget*>();
    if (!tabs) return cutTexts(window);
    QStringList cut;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        cut << cutTexts(window);
    }
    cut.removeDuplicates();
    return cut;
}

// The specified Chinese layout places the parity list over the colon of its
// label; that layout stays as it is.
const QString kCoveredParityColon = QStringLiteral("label \"校    验：\"");

TEST(WindowTexts, EveryLabelButtonAndHeadingShowsItsWholeTextInBothLanguages) {
    for (const Language language : {Language::Chinese, Language::English}) {
        installLanguage(language);
        for (const WindowCase& window : kWindows) {
            const std::unique_ptr<QWidget> shown = window.make();
            shown->show();
            QStringList cut = cutTextsOnEveryPage(*shown);
            if (language == Language::Chinese) {
                cut.removeIf([](const QString& text) { return text.startsWith(kCoveredParityColon); });
            }
            EXPECT_EQ(cut.join(u'\n').toStdString(), "")
                << window.name << " in " << languageCode(language).toStdString();
        }
    }
    installLanguage(Language::Chinese);
}

// The English texts are the translation's, not the Chinese source: a window
// built after English is installed says "Search".
TEST(WindowTexts, EnglishIsInstalledAndChineseIsTheSource) {
    installLanguage(Language::English);
    DeviceManagerDialog english(network(), session());
    installLanguage(Language::Chinese);
    DeviceManagerDialog chinese(network(), session());
    const auto buttonTexts = [](QWidget& window) {
        QStringList texts;
        for (QPushButton* button : window.findChildren<QPushButton*>()) texts << button->text();
        return texts;
    };
    EXPECT_EQ(buttonTexts(english),
              QStringList({"Search", "Settings", "Confirm device", "Change IP", "Locate", "Exit"}));
    EXPECT_EQ(buttonTexts(chinese),
              QStringList({"搜   索", "设   置", "确认设备", "更 改 IP", "定 位 搜 索", "退  出"}));
}

}  // namespace
}  // namespace serverconf
