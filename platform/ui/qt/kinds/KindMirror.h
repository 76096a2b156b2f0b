// How the mirror treats one kind of control, as one entry per kind: the widget it makes, the
// widget's signals that become model input, how the model's state is shown on it, and the mouse
// input the kind handles itself. Everything a kind does on screen lives in its own file here;
// the mirror (WidgetMirror) only walks the table.
#pragma once
#include <QMouseEvent>
#include <QWidget>
#include <vector>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

class WidgetMirror;

struct KindMirror {
  // The widget for the state, a child of parent.
  QWidget* (*make)(QWidget* parent, const WindowState& s) = nullptr;
  // Turns the widget's signals into model input (none while the mirror syncs).
  void (*connect)(QWidget* w, HWND h, const WidgetMirror& mirror) = nullptr;
  // Shows the kind's own properties of the state (text, value, rows ...).
  void (*apply)(QWidget* w, const WindowState& s) = nullptr;
  // Parts of the widget beside its viewport whose input is the control's too.
  std::vector<QWidget*> (*parts)(QWidget* w) = nullptr;
  // A left press or double click on the widget or one of its parts; true when Qt must not see it.
  bool (*press)(QWidget* w, QObject* watched, QMouseEvent* e, HWND h) = nullptr;
  // The release of a right click on the widget or one of its parts (none: the model's right click).
  void (*rightClick)(QWidget* w, QObject* watched, QMouseEvent* e, HWND h) = nullptr;
  bool (*doubleClick)(QWidget* w, QObject* watched) = nullptr;
  // Space acts by the model's key action only (Qt would press the widget as well).
  bool spaceByModel = false;
};

const KindMirror& MirrorOf(Kind kind);

// One entry per family of kinds, each defined in its own file.
extern const KindMirror kChildWindowMirror, kTextMirror, kImageMirror, kGroupMirror, kPanelMirror, kLineMirror,
    kRegionMirror;                                            // StaticMirror.cpp
extern const KindMirror kEditMirror;                          // EditMirror.cpp
extern const KindMirror kButtonMirror, kCheckMirror, kRadioMirror;  // ButtonMirror.cpp
extern const KindMirror kComboMirror, kDropListMirror;        // ChoiceMirror.cpp
extern const KindMirror kSpinMirror, kProgressMirror;         // RangeMirror.cpp
extern const KindMirror kTabMirror;                           // TabMirror.cpp
extern const KindMirror kListMirror;                          // ListMirror.cpp

}  // namespace zq::ui::qt
