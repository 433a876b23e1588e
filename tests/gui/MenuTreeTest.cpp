// The whole menu tree against the menu tables: object names, captions with
// their access keys, shortcuts, order within each menu and visibility at
// start in an empty program folder.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "gui/support/MainWindowFixture.h"

namespace {

struct Item {
    const char* name;
    const char* caption;
    const char* shortcut;
};

struct Menu {
    const char* name;  // "" for the menu bar
    std::vector<Item> items;
};

const std::vector<Menu> kExpected = {
    {"",
     {{"TopMenuFile", "&file", ""},
      {"TopMenuOptions", "&options", ""},
      {"TopMenuHelp", "&help", ""}}},
    {"TopMenuFile",
     {{"FileMenuSaveScript", "&Save script", "Ctrl+S"},
      {"FileMenuScriptOptions", "&script options", ""},
      {"FileMenuWrite", "&write", ""},
      {"FileMenuVoices", "&voices", ""},
      {"FileMenuVocalEffects", "vocal &effects", ""},
      {"FileMenuOtherEffects", "other &effects", ""},
      {"FileMenuClose", "close &down program", ""}}},
    {"FileMenuScriptOptions",
     {{"ScriptOptionsMenuCheckScript", "&check script", ""},
      {"ScriptOptionsMenuCorrectScript", "&Correct script errors", ""}}},
    {"FileMenuWrite",
     {{"WriteMenuPhoneme", "&new phoneme entry", "Ctrl+N"},
      {"WriteMenuLine", "&line of text", "Ctrl+L"}}},
    {"FileMenuVoices",
     {{"VoicesMenuPaul", "&perfect paul", "Ctrl+F1"},
      {"VoicesMenuBetty", "&beautiful betty", "Ctrl+F2"},
      {"VoicesMenuDennis", "&doctor dennis", "Ctrl+F3"},
      {"VoicesMenuFrank", "&frail frank", "Ctrl+F4"},
      {"VoicesMenuHarry", "&huge harry", "Ctrl+F5"},
      {"VoicesMenuKit", "&kit the kid", "Ctrl+F6"},
      {"VoicesMenuRita", "&rough rita", "Ctrl+F7"},
      {"VoicesMenuUrsula", "&uppity ursula", "Ctrl+F8"},
      {"VoicesMenuWendy", "&whispering wendy", "Ctrl+F9"},
      {"VoicesMenuVariant", "&variant (design)", ""}}},
    {"FileMenuVocalEffects",
     {{"VocalEffectsMenuCharacteristics", "&characteristics", ""},
      {"VocalEffectsMenuIntonation", "&intonation", ""},
      {"VocalEffectsMenuGainSettings", "vocal &gain settings", ""}}},
    {"VocalEffectsMenuCharacteristics",
     {{"CharacteristicsMenuVoiceRate", "voice &rate", "Ctrl+R"},
      {"CharacteristicsMenuBreathiness", "&breathiness", "Ctrl+B"},
      {"CharacteristicsMenuGender", "&gender", "Ctrl+G"},
      {"CharacteristicsMenuHeadSize", "&head size", "Ctrl+H"},
      {"CharacteristicsMenuF4Frequency", "set formant resonator &4 frequency", ""},
      {"CharacteristicsMenuF5Frequency", "set formant resonator &5 frequency", ""},
      {"CharacteristicsMenuF4Bandwidth", "set formant resonator &4 bandwidth", "Shift+F4"},
      {"CharacteristicsMenuF5Bandwidth", "set formant resonator &5 bandwidth", "Shift+F5"},
      {"CharacteristicsMenuLaxBreathiness", "set &lax breathiness", ""},
      {"CharacteristicsMenuSmoothness", "set &smoothness", ""},
      {"CharacteristicsMenuRichness", "set &richness", ""},
      {"CharacteristicsMenuLaryngealisation", "set laryngealisation", ""},
      {"CharacteristicsMenuSampling", "set &fixed sampling of glotal pulse open", ""}}},
    {"VocalEffectsMenuIntonation",
     {{"IntonationMenuPitch", "average &pitch", "Ctrl+P"},
      {"IntonationMenuExpression", "&expression", "Ctrl+E"},
      {"IntonationMenuHatRise", "hat &rise level", ""},
      {"IntonationMenuBassFall", "bass &fall level", "Ctrl+F"},
      {"IntonationMenuSpeed", "intonation &speed", ""},
      {"IntonationMenuStressLevel", "&stress level", ""},
      {"IntonationMenuAssertiveness", "&assertiveness", ""}}},
    {"VocalEffectsMenuGainSettings",
     {{"GainSettingsMenuVoiceLevel", "gain &voicing level", ""},
      {"GainSettingsMenuAspirationLevel", "gain &aspiration level", ""},
      {"GainSettingsMenuFricationLevel", "&frication level", ""},
      {"GainSettingsMenuNasalisationLevel", "&nasalisation level", ""},
      {"GainSettingsMenuFormantResonator1", "formant resonator &1", ""},
      {"GainSettingsMenuFormantResonator2", "formant resonator &2", ""},
      {"GainSettingsMenuFormantResonator3", "formant resonator &3", ""},
      {"GainSettingsMenuFormantResonator4", "formant resonator &4", ""},
      {"GainSettingsMenuFormantResonator5", "formant resonator &5", ""}}},
    {"FileMenuOtherEffects",
     {{"OtherEffectsMenuToneGenerator", "generate &tones", "Ctrl+T"},
      {"OtherEffectsMenuDTMFToneGenerator", "generate &dtmf tones", "Ctrl+D"},
      {"OtherEffectsMenuImportWave", "&import sound", "Ctrl+W"}}},
    {"TopMenuOptions",
     {{"OptionsMenuSettings", "&Settings", ""},
      {"OptionsMenuRun", "&run script", "F5"},
      {"OptionsMenuDeleteData", "clear data now", ""}}},
    // Captions of the option items in the default state (no settings.ini).
    {"OptionsMenuSettings",
     {{"OptionsMenuDataOnExit", "&Clear data on exit", ""},
      {"OptionsMenuToneSystem", "Change &Tone System to Frequencies", "Ctrl+U"},
      {"OptionsMenuLogScriptCheckErrors", "Don't log script syntax errors", ""},
      {"OptionsMenuStopCheckAfterFirstError", "Stop after first error during syntax check", ""},
      {"OptionsMenuUseEditor", "Disable text editor", ""},
      {"OptionsMenuAutoLineCheck", "Disable AutoLine checking", ""},
      {"OptionsMenuCheckBeforeRun", "&Execute scripts without first checking", ""}}},
    {"TopMenuHelp",
     {{"HelpMenuReadme", "&read documentation", ""},
      {"HelpMenuVisitWebsite", "&visit the website", ""},
      {"HelpMenuCheckForUpdates", "&Check For Updates", ""},
      {"HelpMenuAbout", "&about", ""}}},
};

class MenuTreeTest : public QObject {
    Q_OBJECT
  private slots:
    void everyMenuHoldsItsItemsInOrder() {
        qvx::test::MainWindowFixture f;
        int itemCount = 0;
        for (const Menu& menu : kExpected) {
            QList<QAction*> actions;
            if (*menu.name) {
                QAction* owner = f.Action(menu.name);
                QVERIFY2(owner && owner->menu(), menu.name);
                actions = owner->menu()->actions();
            } else {
                actions = f.window->menuBar()->actions();
            }
            QCOMPARE(actions.size(), qsizetype(menu.items.size()));
            for (std::size_t i = 0; i < menu.items.size(); ++i) {
                const Item& item = menu.items[i];
                QAction* action = actions[qsizetype(i)];
                QCOMPARE(action->objectName(), QString::fromLatin1(item.name));
                QCOMPARE(action->text(), QString::fromLatin1(item.caption));
                QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
                const bool offered = QByteArray(item.name) != "OptionsMenuDeleteData";
                QVERIFY2(action->isVisible() == offered, item.name);
                QVERIFY2(action->isEnabled() == offered, item.name);
                ++itemCount;
            }
        }
        QCOMPARE(itemCount, 73);
    }

    void everyShortcutIsUnique() {
        qvx::test::MainWindowFixture f;
        QSet<QString> seen;
        for (QAction* action : f.window->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty()) continue;
            const QString keys = action->shortcut().toString();
            QVERIFY2(!seen.contains(keys), qPrintable(keys));
            seen.insert(keys);
        }
        QCOMPARE(seen.size(), 26);
    }
};

}  // namespace

QTEST_MAIN(MenuTreeTest)
#include "MenuTreeTest.moc"
