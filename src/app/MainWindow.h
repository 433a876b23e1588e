#pragma once

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

#include "app/SaveAction.h"
#include "app/ScriptEditor.h"
#include "common/Launcher.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

class QAction;

namespace qvx {

class GeneralInput;
class Phonemes;
class Tones;

// The program's one main window: the menu bar and the edit area.
//
// Naming in the Qt layer: our own methods and slots are verb phrases in mixed
// case (RefreshSettings), data members end in "_" (editArea_); overrides keep
// Qt's names (keyPressEvent), and object names (EditArea, the menu items) are
// the names users and tests see.
class QVX5 : public QMainWindow {
    Q_OBJECT
  public:
    // `endProgram` ends the whole program; tests put a recorder in its place.
    QVX5(ProgramState& state, UserPrompts& prompts, Launcher& launcher,
         std::function<void()> endProgram, QWidget* parent = nullptr);

    QAction* Action(const char* name) const;
    ScriptEditor* EditArea() const { return editArea_; }

    // Rebuilds the options from settings.ini and shows them in the menus, the
    // edit area and the "clear data now" item; derives NextGender.
    void RefreshSettings();
    // The exit: the question (and the save) or the deletion of demo.txt,
    // then the end.
    void Quit();

    // Saves the edit area into the working script. With no script yet it is
    // written at once, and the result says whether it was. Otherwise the
    // "Save action:" dialog opens and the result is nullopt: the dialog
    // finishes Accepted once the text is written, Rejected after Cancel or
    // its close control (a failed save leaves it open for another try).
    std::optional<bool> SaveScript();
    void RunScript();
    // The open "Save action:" dialog, if any.
    SaveAction* SaveActionDialog() const { return saveAction_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void BuildMenus();
    void ConnectHandlers();
    void On(std::string_view name, std::function<void()> handler);
    void Apply(Refresh refresh);
    void ShowEditor(bool shown);
    bool SaveEditArea(SaveMode mode);
    void SaveChosen(SaveMode mode);
    std::optional<EditSelection> CheckTypedLine();

    ProgramState& state_;
    UserPrompts& prompts_;
    Launcher& launcher_;
    std::function<void()> endProgram_;
    ScriptEditor* editArea_ = nullptr;
    bool quitting_ = false;
    GeneralInput* generalInput_ = nullptr;
    Phonemes* phonemes_ = nullptr;
    Tones* tones_ = nullptr;
    QPointer<SaveAction> saveAction_;
};

}  // namespace qvx
