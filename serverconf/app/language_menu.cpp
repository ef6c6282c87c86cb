#include "app/language_menu.h"

#include "dialogs/notice.h"
#include "language/translations.h"
#include "preferences/preferences.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace serverconf {

void addLanguageMenu(QMenu* systemMenu, QWidget* window) {
    QMenu* menu = systemMenu->addMenu(QCoreApplication::translate("serverconf::LanguageMenu", "语言(&L)"));
    auto* group = new QActionGroup(menu);
    // Each language is named in itself, so that it is found whatever the window speaks.
    const std::pair<Language, QString> languages[] = {{Language::Chinese, QStringLiteral("中文")},
                                                      {Language::English, QStringLiteral("English")}};
    for (const auto& [language, name] : languages) {
        QAction* action = menu->addAction(name);
        action->setCheckable(true);
        action->setChecked(language == runLanguage());
        action->setData(languageCode(language));
        group->addAction(action);
    }
    QObject::connect(group, &QActionGroup::triggered, window, [window](QAction* action) {
        storeLanguageCode(action->data().toString());
        notice(window, QCoreApplication::translate("serverconf::LanguageMenu", "所选语言在下次启动时生效。"));
    });
}

}  // namespace serverconf
