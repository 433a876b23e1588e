#include "app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMenuBar>
#include <utility>

#include "app/EditText.h"
#include "app/HelpMenu.h"
#include "app/MenuAccessibility.h"
#include "app/MenuOpenings.h"
#include "app/MenuTree.h"
#include "app/RunScript.h"
#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "checker/TypedCheck.h"
#include "common/FileExists.h"
#include "common/ProjectVersion.h"
#include "common/TextFile.h"
#include "dialogs/InputKind.h"
#include "dialogs/ValueInput.h"
#include "dialogs/widgets/DialogLayout.h"
#include "dialogs/widgets/GeneralInput.h"
#include "dialogs/widgets/Phonemes.h"
#include "dialogs/widgets/Tones.h"
#include "script/SaveText.h"
#include "script/ScriptCommands.h"
#include "settings/Options.h"

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
    setWindowTitle(QStringLiteral("Quillvox v%1.%2").arg(kVersionMajor).arg(kVersionMinor));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(TwipSize(9885, 3090));
    editArea_ = new ScriptEditor(client);
    editArea_->setGeometry(TwipRect(600, 600, 8000, 885));
    setCentralWidget(client);

    editArea_->SetLineCheck([this] { return CheckTypedLine(); });
    generalInput_ = new GeneralInput(state_, prompts_, this, this);
    phonemes_ = new Phonemes(state_, prompts_, this, this);
    tones_ = new Tones(state_, prompts_, this, this);

    BuildMenus();
    AnnounceMenuOpenings(menuBar());
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

void QVX5::On(std::string_view name, std::function<void()> handler) {
    QAction* action = findChild<QAction*>(ToQString(name));
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void QVX5::Apply(Refresh refresh) {
    if (refresh == Refresh::Needed) RefreshSettings();
}

// Each item's behaviour: the items of the voice, input-kind and option tables
// by their rows, every other one here by its object name.
void QVX5::ConnectHandlers() {
    for (const Voice& voice : Voices()) {
        On(voice.menuItem, [this, &voice] { ChooseVoice(state_.paths, prompts_, voice); });
    }
    // The dialogs take the main window's place until they close.
    for (const InputKindInfo& info : InputKinds()) {
        On(info.menuItem, [this, kind = info.kind] {
            hide();
            SetInputKind(state_, kind);
            generalInput_->ShowInPlaceOfMainWindow();
        });
    }
    for (const OptionSpec& option : kOptionSpecs) {
        On(option.menuItem, [this, &option] {
            Apply(ToggleOption(state_, option, prompts_, [this, &option](bool on) {
                if (option.member == &Options::UseEditor) {
                    if (!on) editArea_->clear();
                    ShowEditor(on);
                }
            }));
        });
    }
    On("WriteMenuPhoneme", [this] { phonemes_->ShowInPlaceOfMainWindow(); });
    On("OtherEffectsMenuToneGenerator", [this] { tones_->ShowInPlaceOfMainWindow(); });
    On("CharacteristicsMenuGender", [this] {
        ToggleGender(state_, prompts_);
        RefreshSettings();
    });
    On("WriteMenuLine", [this] { WriteLineOfText(state_.paths, prompts_); });
    On("OtherEffectsMenuImportWave", [this] { Apply(ImportSound(state_.paths, prompts_)); });
    On("OptionsMenuDeleteData", [this] { ClearScript(state_.paths, prompts_); });
    On("FileMenuClose", [this] { Quit(); });
    On("FileMenuSaveScript", [this] { SaveScript(); });
    On("ScriptOptionsMenuCheckScript", [this] { Apply(CheckScript(state_, prompts_)); });
    On("ScriptOptionsMenuCorrectScript", [this] { Apply(CorrectScript(state_, prompts_)); });
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
        Action(option.menuItem.data())->setText(ToQString(OptionCaption(option, state_.options)));
    }
    if (!state_.options.UseEditor) ShowEditor(false);
    DeriveNextGender(state_);
    const bool scriptExists = FileExists(state_.paths.script);
    Action("OptionsMenuDeleteData")->setVisible(scriptExists);
    Action("OptionsMenuDeleteData")->setEnabled(scriptExists);
}

std::optional<EditSelection> QVX5::CheckTypedLine() {
    if (!state_.options.AutoLineCheck) return std::nullopt;
    const QString text = editArea_->Text();
    const auto found = CheckTypedText(ToScriptText(text), state_.paths, prompts_);
    if (!found) return std::nullopt;
    return EditSelection{EditPosition(text, found->start),
                         EditPosition(text, found->start + found->length)};
}

bool QVX5::SaveEditArea(SaveMode mode) {
    if (!SaveEditText(state_.paths, ToScriptText(editArea_->Text()), mode, prompts_)) return false;
    Apply(CheckScript(state_, prompts_));
    return true;
}

std::optional<bool> QVX5::SaveScript() {
    if (!FileExists(state_.paths.script)) return SaveEditArea(SaveMode::Create);
    if (!saveAction_) {
        saveAction_ = new SaveAction(this);
        connect(saveAction_, &SaveAction::chosen, this, &QVX5::SaveChosen);
    }
    saveAction_->show();
    saveAction_->raise();
    saveAction_->activateWindow();
    return std::nullopt;
}

void QVX5::SaveChosen(SaveMode mode) {
    // A failed save leaves the dialog open for another try or Cancel.
    if (SaveEditArea(mode)) saveAction_->accept();
}

void QVX5::RunScript() {
    Apply(qvx::RunScript(state_, prompts_, launcher_));
}

void QVX5::Quit() {
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
        case UserPrompts::Answer::Yes: {
            // Ending without the text written would lose it: a failed save,
            // Cancel and the close control keep the program open.
            const auto end = [this](bool saved) {
                if (saved) return endProgram_();
                quitting_ = false;
            };
            if (const std::optional<bool> saved = SaveScript()) return end(*saved);
            // The dialog is single-use (deleted when it finishes), so this
            // hears only the answer to this exit.
            connect(saveAction_, &QDialog::finished, this,
                    [end](int result) { end(result == QDialog::Accepted); });
            return;
        }
        case UserPrompts::Answer::No:
            return endProgram_();
        case UserPrompts::Answer::Cancel:
            // Backing out of the question keeps everything as it was.
            quitting_ = false;
            return;
    }
}

void QVX5::keyPressEvent(QKeyEvent* event) {
    // Keys the edit area leaves alone reach the window too; F1 belongs to the
    // window only when the window itself has the focus. F5 never gets here:
    // the run item's shortcut takes it first.
    if (event->key() == Qt::Key_F1 && !editArea_->hasFocus()) {
        HelpMenuReadme(prompts_, launcher_, state_.paths);
    } else {
        QMainWindow::keyPressEvent(event);
    }
}

void QVX5::closeEvent(QCloseEvent* event) {
    event->ignore();
    Quit();
}

}  // namespace qvx
