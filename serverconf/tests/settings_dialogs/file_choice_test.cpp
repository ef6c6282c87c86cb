// The file dialogs open in the folder of the last file chosen, in this run
// or an earlier one (the test's own settings folder).

#include "settings_dialogs/file_choice.h"
#include "preferences/preferences.h"

#include <gtest/gtest.h>

namespace serverconf {
namespace {

TEST(FileChoice, TheFolderOfEachChosenFileIsKeptAndACancelKeepsTheLastOne) {
    const struct {
        FileChoice kind;
        QString answer;
        QString keptFolder;
    } steps[] = {
        {FileChoice::Save, "/srv/devices/north/gate.ds", "/srv/devices/north"},
        {FileChoice::Open, "", "/srv/devices/north"},
        {FileChoice::Open, "/home/user/hall.ds", "/home/user"},
    };
    for (const auto& step : steps) {
        setFileChoiceHook([&](FileChoice, const QString&) { return step.answer; });
        chooseFileName(nullptr, step.kind, QStringLiteral("*.ds"));
        EXPECT_EQ(lastFileFolder(), step.keptFolder) << step.answer.toStdString();
    }
    setFileChoiceHook({});
}

}  // namespace
}  // namespace serverconf
