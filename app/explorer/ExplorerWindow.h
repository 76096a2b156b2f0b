// The explorer's window procedure: its opening, its events, its keys and its preview, each in
// a file of its own, all on the explorer thread.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "PreviewLoader.h"
#include "app/Explorer.h"
#include "orvid/controlnumbers.h"
#include "zqruntime/window.h"

class ExplorerWindow {
 public:
  explicit ExplorerWindow(Explorer& explorer);
  // Opens the window and runs its loop until it closes.
  void Run();
  void Close();

 private:
  // A key as the explorer takes it: the control it was pressed in, and the panel it acts on
  // (the list it was pressed in, else the list the buttons' keys go to) with its chosen row.
  struct KeyPress {
    uint32_t key;
    int32_t field;
    bool inList;
    ExplorerPanel& panel;
    int32_t choice;
  };
  using KeyAction = void (ExplorerWindow::*)(const KeyPress&);
  struct KeyBinding {
    const char* key;
    KeyAction action;
  };
  // Each panel's controls.
  struct PanelControls {
    int32_t list, path, drive;
  };

  // Opening.cpp
  void Open();
  void OpenPanels();
  void LoadIcons();
  void SetResizeRules();
  void Bind();
  void ShowMode(std::string_view text, COLORREF colour);

  // Events.cpp
  void Handle();
  void Accepted(int32_t field);
  void Sized();
  void ShowFolder();
  void Redraw();
  void RedrawPanels();
  ExplorerPanel& PanelOf(int32_t control);
  const PanelControls& ControlsOf(const ExplorerPanel& panel) const;
  static bool IsList(int32_t control);

  // Keys.cpp
  static std::span<const KeyBinding> Keys();
  void Key(int32_t field, uint32_t key);
  void Enter(const KeyPress& k);
  void Up(const KeyPress& k);
  void EditFolderFile(const KeyPress& k);
  void SwitchMode(const KeyPress& k);
  void Copy(const KeyPress& k);
  void Convert(const KeyPress& k);
  void NewFolder(const KeyPress& k);
  void Mark(const KeyPress& k);
  void Delete(const KeyPress& k);
  void Settings(const KeyPress& k);
  void CloseKey(const KeyPress& k);
  void FocusPath(const KeyPress& k);
  void LazyStep(const KeyPress& k);
  void ListAgain(const KeyPress& k);
  void RightClick(const KeyPress& k);
  void Moved(ExplorerPanel& panel);
  void TellLeftOut(ExplorerPanel& panel);
  void SwitchLazyMode();

  // Preview.cpp
  void SwitchPreview(const KeyPress& k);
  void SetImageMode();
  void DisplayImage(int32_t list);
  void PreviewReady();

  Explorer& ex_;
  zq::rt::Window w_;
  std::unique_ptr<PreviewLoader> preview_;
  int32_t list_ = orvid::res::ExplorerWindow::LeftPanel;  // the list the buttons' keys go to
};
