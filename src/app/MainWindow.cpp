#include "app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTextCursor>
#include <utility>

#include "app/EditText.h"
#include "app/MenuAccessibility.h"
#include "app/MenuTree.h"
#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "checker/RunScript.h"
#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "checker/TypedCheck.h"
#include "common/FileExists.h"
#include "common/TextFile.h"
#include "dialogs/InputKind.h"
#include "dialogs/widgets/DialogLayout.h"
#include "dialogs/widgets/GeneralInput.h"
#include "dialogs/widgets/Phonemes.h"
#include "dialogs/widgets/Tones.h"
#include "script/SaveText.h"
#include "script/ScriptCommands.h"
#include "settings/Options.h"
#include "update/HelpMenu.h"

namespace qvx {

QVX5::QVX5(ProgramState& state, UserPrompts& prompts, Launcher& launcher,
           std::function<void()> endProgram, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      prompts_(prompts),
      launcher_(launcher),
      endProgram_(std::move(endProgram)) {
    InstallMenuAccessibility();
    setObjectName(QStringLiteral("QVX5"));
    setWindowTitle(QStringLiteral("Quillvox v5.0"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(TwipSize(9885, 3090));
    editArea_ = new ScriptEditor(client);
    editArea_->setGeometry(TwipRect(600, 600, 8000, 885));
    setCentralWidget(client);

    editArea_->beforeLineBreak = [this] { CheckTypedLine(); };
    generalInput_ = new GeneralInput(state_, prompts_, this, this);
    phonemes_ = new Phonemes(state_, prompts_, this, this);
    tones_ = new Tones(state_, prompts_, this, this);

    BuildMenus();
    ConnectHandlers();
    RefreshSettings();
    editArea_->setFocus();
}

void QVX5::BuildMenus() {
    QHash<QString, QMenu*> menus;
    for (const MenuEntry& entry : MenuTree()) {
        const QString name = QString::fromLatin1(entry.name);
        const QString caption = QString::fromLatin1(entry.caption);
        QMenu* parentMenu = menus.value(QString::fromLatin1(entry.parent));
        QAction* action = nullptr;
        if (entry.submenu) {
            QMenu* menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name + QStringLiteral("Popup"));
            menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            action = parentMenu->addAction(caption);
        }
        action->setObjectName(name);
        action->setParent(this);  // findChild<QAction*> reaches every item
        if (*entry.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    }
}

QAction* QVX5::Action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void QVX5::On(const char* name, std::function<void()> handler) {
    connect(Action(name), &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void QVX5::ConnectHandlers() {
    for (const VoiceMenuItem& item : VoiceMenuItems()) {
        On(item.name,
           [this, index = item.voiceIndex] { ChooseVoice(state_.paths, prompts_, index); });
    }
    // The dialogs take the main window's place until they close.
    for (const ValueMenuItem& item : ValueMenuItems()) {
        On(item.name, [this, kind = item.inputKind] {
            hide();
            SetInputKind(state_, kind);
            generalInput_->Open();
        });
    }
    On("WriteMenuPhoneme", [this] { phonemes_->Open(); });
    On("OtherEffectsMenuToneGenerator", [this] { tones_->Open(); });
    On("CharacteristicsMenuGender", [this] {
        ToggleGender(state_, prompts_);
        RefreshSettings();
    });
    On("WriteMenuLine", [this] { WriteLineOfText(state_.paths, prompts_); });
    On("OtherEffectsMenuImportWave", [this] {
        if (ImportSound(state_.paths, prompts_)) RefreshSettings();
    });
    for (const OptionSpec& option : kOptionSpecs) {
        On(option.menuItem.data(), [this, &option] {
            ToggleOption(state_, option, prompts_, [this, &option](bool on) {
                if (option.member == &Options::UseEditor) {
                    if (!on) editArea_->clear();
                    ShowEditor(on);
                }
            });
            RefreshSettings();
        });
    }
    On("OptionsMenuDeleteData", [this] { ClearScript(state_.paths, prompts_); });
    On("FileMenuClose", [this] { quit(); });
    On("FileMenuSaveScript", [this] { SaveScript(); });
    On("ScriptOptionsMenuCheckScript", [this] { CheckAndRefresh(); });
    On("ScriptOptionsMenuCorrectScript", [this] {
        if (CorrectScript(state_, prompts_) == Refresh::Needed) RefreshSettings();
    });
    On("OptionsMenuRun", [this] { RunScript(); });
    On("HelpMenuReadme", [this] { HelpMenuReadme(prompts_, launcher_, state_.paths); });
    On("HelpMenuVisitWebsite", [this] { HelpMenuVisitWebsite(prompts_, launcher_); });
    On("HelpMenuCheckForUpdates",
       [this] { HelpMenuCheckForUpdates(prompts_, launcher_, state_.paths, endProgram_); });
    On("HelpMenuAbout", [this] { HelpMenuAbout(prompts_); });
}

void QVX5::ShowEditor(bool shown) {
    editArea_->setVisible(shown);
    editArea_->setEnabled(shown);
    Action("FileMenuSaveScript")->setVisible(shown);
    Action("FileMenuSaveScript")->setEnabled(shown);
}

void QVX5::RefreshSettings() {
    LoadOptions(state_);
    for (const OptionSpec& option : kOptionSpecs) {
        Action(option.menuItem.data())
            ->setText(QString::fromLatin1(OptionCaption(option, state_.options)));
    }
    if (!state_.options.UseEditor) ShowEditor(false);
    DeriveNextGender(state_);
    const bool scriptExists = FileExists(state_.paths.script);
    Action("OptionsMenuDeleteData")->setVisible(scriptExists);
    Action("OptionsMenuDeleteData")->setEnabled(scriptExists);
}

void QVX5::CheckAndRefresh() {
    if (CheckScript(state_, prompts_) == Refresh::Needed) RefreshSettings();
}

void QVX5::CheckTypedLine() {
    if (!state_.options.AutoLineCheck) return;
    const QString text = editArea_->Text();
    const auto selection = CheckTypedText(ToScriptText(text), state_.paths, prompts_);
    if (!selection) return;
    QTextCursor cursor(editArea_->document());
    cursor.setPosition(EditPosition(text, selection->start));
    cursor.setPosition(EditPosition(text, selection->start + selection->length),
                       QTextCursor::KeepAnchor);
    editArea_->setTextCursor(cursor);
}

bool QVX5::SaveEditArea(SaveMode mode) {
    if (!SaveEditText(state_.paths, ToScriptText(editArea_->Text()), mode, prompts_)) return false;
    CheckAndRefresh();
    return true;
}

void QVX5::SaveScript(std::function<void(bool)> finished) {
    if (!FileExists(state_.paths.script)) {
        const bool saved = SaveEditArea(SaveMode::Create);
        if (finished) finished(saved);
        return;
    }
    if (finished) saveFinished_ = std::move(finished);
    if (!saveAction_) {
        saveAction_ = new SaveAction(this);
        saveAction_->onChosen = [this](SaveMode mode) {
            const bool saved = SaveEditArea(mode);
            if (saved) FinishSave(true);
            return saved;
        };
        connect(saveAction_, &SaveAction::cancelled, this, [this] { FinishSave(true); });
    }
    saveAction_->show();
    saveAction_->raise();
    saveAction_->activateWindow();
}

void QVX5::FinishSave(bool mayGoOn) {
    if (auto finished = std::exchange(saveFinished_, {})) finished(mayGoOn);
}

void QVX5::RunScript() {
    if (qvx::RunScript(state_, prompts_, launcher_) == Refresh::Needed) RefreshSettings();
}

void QVX5::quit() {
    if (quitting_) return;
    quitting_ = true;
    if (!state_.options.KeepDataOnExit) {
        // The exit reports nothing: a file that cannot be deleted stays.
        DeleteFileIfPresent(state_.paths.script);
        return endProgram_();
    }
    // With the edit area off there is nothing to save, so nothing to ask.
    const auto answer =
        state_.options.UseEditor
            ? prompts_.AskYesNoOrCancel("Would you like to save demo.txt?", "Save before exit")
            : UserPrompts::Answer::No;
    switch (answer) {
        case UserPrompts::Answer::Yes:
            // A failed save keeps the program open: ending would lose the text.
            return SaveScript([this](bool mayGoOn) {
                if (mayGoOn) {
                    endProgram_();
                } else {
                    quitting_ = false;
                }
            });
        case UserPrompts::Answer::No:
            return endProgram_();
        case UserPrompts::Answer::Cancel:
            // Backing out of the question keeps everything as it was.
            quitting_ = false;
            return;
    }
}

void QVX5::keyPressEvent(QKeyEvent* event) {
    // Keys the edit area leaves alone reach the window too; F1 and F5 belong
    // to the window only when the window itself has the focus.
    const bool windowFocused = !editArea_->hasFocus();
    if (event->key() == Qt::Key_F1 && windowFocused) {
        HelpMenuReadme(prompts_, launcher_, state_.paths);
    } else if (event->key() == Qt::Key_F5 && windowFocused) {
        RunScript();
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

void QVX5::closeEvent(QCloseEvent* event) {
    event->ignore();
    quit();
}

}  // namespace qvx
