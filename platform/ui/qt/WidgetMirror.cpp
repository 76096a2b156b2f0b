#include "WidgetMirror.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QDoubleSpinBox>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTextEdit>
#include <QTreeView>

#include <chrono>

#include "CellDelegate.h"
#include "ListModel.h"

#include "zqplatform/uiinput.h"

namespace zq::ui::qt {

namespace {

constexpr char kHandle[] = "zqHwnd";
constexpr char kSelection[] = "zqSelection";  // the model's selection last shown

HWND HandleOf(const QObject* o) { return o ? o->property(kHandle).toUInt() : 0; }

QColor Colour(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Qt::Alignment AlignOf(Align a) {
  switch (a) {
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

uint32_t Modifiers(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? input::kShift : 0) | (m & Qt::ControlModifier ? input::kCtrl : 0) |
         (m & Qt::AltModifier ? input::kAlt : 0);
}

QFont FontOf(const Font& f) {
  QFont font(QString::fromStdString(f.face));
  font.setPointSize(f.points > 0 ? f.points : 8);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
  font.setItalic(f.italic);
  return font;
}

QRect RectOf(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// A top-level window: its close button, moves and sizes go to the model as input.
class TopWindow : public QWidget {
 public:
  TopWindow(HWND hwnd, const WidgetMirror& mirror) : hwnd_(hwnd), mirror_(mirror) {}

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    input::CloseRequest(hwnd_);
  }
  void moveEvent(QMoveEvent*) override { Report(); }
  void resizeEvent(QResizeEvent*) override { Report(); }

 private:
  void Report() {
    if (mirror_.Syncing() || !isVisible()) return;
    QRect f = geometry();
    input::MovedTo(hwnd_, RECT{f.left(), f.top(), f.left() + f.width(), f.top() + f.height()});
  }
  HWND hwnd_;
  const WidgetMirror& mirror_;
};

template <class T>
void SetIfDifferent(T* w, const QString& text) {
  if (w->text() != text) w->setText(text);
}

// The model's selection (bytes of the text) on an edit line, when the program changed it.
void ApplySelection(QLineEdit* e, const WindowState& s) {
  QPoint wanted(s.selStart, s.selEnd);
  if (e->property(kSelection).toPoint() == wanted) return;
  e->setProperty(kSelection, wanted);
  auto at = [&](int32_t bytes) {
    std::size_t n = std::min(static_cast<std::size_t>(std::max(bytes, 0)), s.text.size());
    return static_cast<int>(FromAnsi(s.text.substr(0, n)).size());
  };
  int start = at(s.selStart), end = at(s.selEnd);
  if (start == end) {
    e->setCursorPosition(end);
  } else {
    e->setSelection(start, end - start);
  }
}

}  // namespace

WidgetMirror::WidgetMirror() = default;

WidgetMirror::~WidgetMirror() {
  for (auto& [h, w] : widgets_) {
    if (w && w->parentWidget() == nullptr) delete w.data();
  }
}

QWidget* WidgetMirror::Find(HWND hwnd) {
  auto it = widgets_.find(hwnd);
  if (it == widgets_.end()) return nullptr;
  if (!it->second) {
    widgets_.erase(it);
    return nullptr;
  }
  return it->second.data();
}

void WidgetMirror::Sync(HWND hwnd) {
  auto s = Snapshot(hwnd);
  QWidget* w = Find(hwnd);
  if (!s) {
    if (w) {
      widgets_.erase(hwnd);
      w->hide();
      w->deleteLater();
    }
    return;
  }
  if (!w) {
    if (s->parent == 0 && !s->visible) return;  // made when first shown
    if (s->parent != 0 && !Find(s->parent)) return;  // made with its parent
    w = Make(*s);
    for (HWND child : Children(hwnd)) Sync(child);
  }
  Apply(w, *s);
}

QWidget* WidgetMirror::Make(const WindowState& s) {
  QWidget* parent = s.parent ? Find(s.parent) : nullptr;
  QWidget* w = nullptr;
  switch (s.kind) {
    case Kind::Window: w = parent ? new QWidget(parent) : new TopWindow(s.hwnd, *this); break;
    case Kind::Text: w = new QLabel(parent); break;
    case Kind::Edit:
      if (s.multiLine) {
        w = new QTextEdit(parent);
      } else {
        w = new QLineEdit(parent);
      }
      break;
    case Kind::Button: w = new QPushButton(parent); break;
    case Kind::Check: w = new QCheckBox(parent); break;
    case Kind::Radio: w = new QRadioButton(parent); break;
    case Kind::Group: w = new QGroupBox(parent); break;
    case Kind::List: {
      auto* v = new QTreeView(parent);
      v->setModel(new ListModel(v));
      v->setItemDelegate(new CellDelegate(v));
      v->setRootIsDecorated(false);
      v->setItemsExpandable(false);
      v->setUniformRowHeights(true);
      v->setSelectionMode(QAbstractItemView::SingleSelection);
      v->setSelectionBehavior(QAbstractItemView::SelectRows);
      w = v;
      break;
    }
    case Kind::Combo:
    case Kind::DropList: {
      auto* c = new QComboBox(parent);
      c->setEditable(s.kind == Kind::Combo);
      w = c;
      break;
    }
    case Kind::Spin: w = new QDoubleSpinBox(parent); break;
    case Kind::Progress: w = new QProgressBar(parent); break;
    case Kind::Image: w = new QLabel(parent); break;
    case Kind::Panel: {
      auto* f = new QFrame(parent);
      f->setFrameStyle(QFrame::Panel | QFrame::Raised);
      w = f;
      break;
    }
    case Kind::Line: {
      auto* f = new QFrame(parent);
      f->setFrameStyle(QFrame::HLine | QFrame::Sunken);
      w = f;
      break;
    }
    case Kind::Region: {
      auto* f = new QFrame(parent);
      f->setFrameStyle(QFrame::Box | QFrame::Plain);
      w = f;
      break;
    }
    case Kind::Tab: w = new QTabBar(parent); break;
  }
  w->setProperty(kHandle, s.hwnd);
  w->installEventFilter(this);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
    area->viewport()->setProperty(kHandle, s.hwnd);
    area->viewport()->installEventFilter(this);
  }
  if (auto* v = qobject_cast<QTreeView*>(w)) {
    v->header()->viewport()->setProperty(kHandle, s.hwnd);
    v->header()->viewport()->installEventFilter(this);
  }
  Connect(w, s);
  widgets_[s.hwnd] = w;
  return w;
}

void WidgetMirror::Connect(QWidget* w, const WindowState& s) {
  HWND h = s.hwnd;
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    QObject::connect(b, &QAbstractButton::clicked, [this, h] {
      if (!syncing_) input::Click(h);
    });
  } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
    QObject::connect(e, &QLineEdit::textEdited, [h](const QString& t) {
      Update(h, [&](WindowState& m) { m.text = ToAnsi(t); });
    });
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    QObject::connect(c, &QComboBox::currentIndexChanged, [this, h](int i) {
      if (!syncing_) input::Choose(h, i);
    });
  } else if (auto* sp = qobject_cast<QDoubleSpinBox*>(w)) {
    QObject::connect(sp, &QDoubleSpinBox::valueChanged, [this, h, sp](double v) {
      if (!syncing_) input::Spun(h, QString::number(v, 'f', sp->decimals()).toStdString());
    });
  } else if (auto* t = qobject_cast<QTabBar*>(w)) {
    QObject::connect(t, &QTabBar::currentChanged, [this, h](int i) {
      if (!syncing_) Update(h, [&](WindowState& m) { m.value = i; });
    });
  } else if (auto* v = qobject_cast<QTreeView*>(w)) {
    // A row becomes current without being chosen when the list gets the focus; only a chosen
    // row is the list's value.
    QItemSelectionModel* chosen = v->selectionModel();
    QObject::connect(chosen, &QItemSelectionModel::currentRowChanged, [this, h, chosen](const QModelIndex& at) {
      if (syncing_ || (at.isValid() && !chosen->isSelected(at))) return;
      input::Choose(h, at.isValid() ? at.row() : -1);
    });
  }
}

bool WidgetMirror::eventFilter(QObject* watched, QEvent* event) {
  HWND h = HandleOf(watched);
  if (h == 0 || syncing_) return false;
  switch (event->type()) {
    case QEvent::KeyPress: {
      // A key the receiver leaves goes on to its parents; it is the model's input once, on
      // the first mirrored widget it reaches.
      auto* k = static_cast<QKeyEvent*>(event);
      auto* receiver = qobject_cast<QWidget*>(keyReceiver_.data());
      if (event == keyEvent_ && k->timestamp() == keyTime_ && receiver && watched != receiver &&
          static_cast<QWidget*>(watched)->isAncestorOf(receiver)) {
        return false;
      }
      keyEvent_ = event;
      keyTime_ = k->timestamp();
      keyReceiver_ = watched;
      if (uint32_t vk = VirtualKey(k->key())) input::KeyPress(h, vk, Modifiers(k->modifiers()));
      // Space presses a button or toggles a check box by the model's own key action only.
      return k->key() == Qt::Key_Space && (qobject_cast<QPushButton*>(watched) || qobject_cast<QCheckBox*>(watched));
    }
    case QEvent::KeyRelease:
      keyEvent_ = nullptr;
      return false;
    case QEvent::MouseButtonPress: {
      // A left press on a list's row or header marks the row under the mouse (none on the
      // header) and becomes the model's click; the model, not Qt, then chooses the row. A press
      // below the last row only gives the list the focus; the header keeps its own dragging.
      auto* press = static_cast<QMouseEvent*>(event);
      auto* list = qobject_cast<QTreeView*>(Find(h));
      if (!list || press->button() != Qt::LeftButton) return false;
      bool onRows = watched == list->viewport();
      QPoint at = press->position().toPoint();
      QModelIndex cell = list->indexAt(at);
      int row = onRows ? cell.row() : -1;
      int column = onRows ? cell.column() : list->header()->logicalIndexAt(at.x());
      if (!onRows || row >= 0) {
        Update(h, [&](WindowState& m) {
          m.value = row;
          m.mouseColumn = column;
        });
        input::Click(h);
      }
      list->setFocus(Qt::MouseFocusReason);
      return onRows;
    }
    case QEvent::MouseButtonDblClick: {
      if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
      input::DoubleClick(h);
      // A list's rows are chosen by the model's clicks only (Qt would press the row again).
      auto* list = qobject_cast<QTreeView*>(Find(h));
      return list && watched == list->viewport();
    }
    case QEvent::FocusIn:
      if (GetFocus() != h) SetFocus(h);
      return false;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) input::RightClick(h);
      return false;
    default:
      return false;
  }
}

void WidgetMirror::Apply(QWidget* w, const WindowState& s) {
  syncing_ = true;
  w->setEnabled(s.enabled);
  w->setFont(FontOf(s.font));
  QPalette pal = w->palette();
  bool fill = s.backColour != kDefaultColour;
  if (fill) {
    pal.setColor(QPalette::Window, Colour(s.backColour));
    pal.setColor(QPalette::Base, Colour(s.backColour));
    pal.setColor(QPalette::Button, Colour(s.backColour));
  }
  if (s.textColour != kDefaultColour) {
    pal.setColor(QPalette::WindowText, Colour(s.textColour));
    pal.setColor(QPalette::Text, Colour(s.textColour));
    pal.setColor(QPalette::ButtonText, Colour(s.textColour));
  }
  w->setPalette(pal);
  w->setAutoFillBackground(fill);
  QString tip = FromAnsi(s.tip).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (w->toolTip() != tip) w->setToolTip(tip);
  ApplyKind(w, s);
  if (s.parent == 0) {
    ApplyTopLevel(w, s);
  } else {
    if (w->geometry() != RectOf(s.rect)) w->setGeometry(RectOf(s.rect));
    w->setVisible(s.visible);
  }
  if (GetFocus() == s.hwnd && !w->hasFocus()) w->setFocus();
  syncing_ = false;
}

void WidgetMirror::ApplyTopLevel(QWidget* w, const WindowState& s) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (s.style & WS_SYSMENU) {
    flags |= Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
  }
  if (s.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  if (s.frameless) flags |= Qt::FramelessWindowHint;
  if (s.topmost) flags |= Qt::WindowStaysOnTopHint;
  if (w->windowFlags() != flags) w->setWindowFlags(flags);  // hides the window
  w->setWindowTitle(FromAnsi(s.text));
  if (s.icon) {
    QPixmap p;
    std::string image = IconImage(s.icon);
    if (p.loadFromData(reinterpret_cast<const uchar*>(image.data()), static_cast<uint>(image.size()))) {
      w->setWindowIcon(QIcon(p));
    }
  }
  if (QRect target = RectOf(s.rect); w->geometry() != target) w->setGeometry(target);
  if (!s.visible) {
    w->hide();
  } else if (s.minimized) {
    w->showMinimized();
  } else {
    w->show();
  }
  if (s.visible && GetForegroundWindow() == s.hwnd) {
    w->raise();
    w->activateWindow();
  } else if (std::vector<HWND> order = Children(0); !order.empty() && order.back() == s.hwnd) {
    w->lower();
  }
  if (s.flashing) QApplication::alert(w);
}

void WidgetMirror::ApplyKind(QWidget* w, const WindowState& s) {
  QString text = FromAnsi(s.text);
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (s.kind == Kind::Image) {
      l->setPixmap(QPixmap(QString::fromStdString(s.imageFile)));
      l->setScaledContents(true);
    } else {
      SetIfDifferent(l, text);
      l->setAlignment(AlignOf(s.align) | Qt::AlignVCenter);
    }
  } else if (auto* e = qobject_cast<QTextEdit*>(w)) {
    QTextOption option = e->document()->defaultTextOption();
    option.setAlignment(AlignOf(s.align));
    e->document()->setDefaultTextOption(option);
    if (e->toPlainText() != text) e->setPlainText(text);
    e->setReadOnly(s.readOnly);
    e->setVerticalScrollBarPolicy((s.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    e->setFrameStyle((s.style & WS_BORDER) ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
    if (!s.caretVisible) {
      // No caret and no selection; each redraw shows the first line.
      e->setTextInteractionFlags(Qt::NoTextInteraction);
      e->viewport()->setCursor(Qt::ArrowCursor);
      e->verticalScrollBar()->setValue(0);
    } else {
      e->setTextInteractionFlags(s.readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                            : Qt::TextEditorInteraction);
    }
  } else if (auto* le = qobject_cast<QLineEdit*>(w)) {
    SetIfDifferent(le, text);
    le->setReadOnly(s.readOnly);
    le->setAlignment(AlignOf(s.align));
    ApplySelection(le, s);
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    SetIfDifferent(b, text);
    if (s.kind != Kind::Button) b->setChecked(s.value != 0);
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(text);
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    QStringList items;
    for (const Row& r : s.rows) items << (r.cells.empty() ? QString() : FromAnsi(r.cells.front()));
    bool same = items.size() == c->count();
    for (int i = 0; same && i < items.size(); ++i) same = c->itemText(i) == items[i];
    if (!same) {
      c->clear();
      c->addItems(items);
    }
    if (c->currentIndex() != s.value) c->setCurrentIndex(s.value);
    if (s.kind == Kind::Combo && c->currentText() != text) c->setEditText(text);
    if (c->lineEdit()) ApplySelection(c->lineEdit(), s);
  } else if (auto* sp = qobject_cast<QDoubleSpinBox*>(w)) {
    // As many decimals as the step has ("0.1": one).
    QString step = QString::number(s.step, 'g', 15);
    int dot = step.indexOf('.');
    sp->setDecimals(dot < 0 || step.contains('e') ? 0 : static_cast<int>(step.size()) - dot - 1);
    sp->setSingleStep(s.step);
    sp->setRange(s.low, s.high);
    bool exact = false;
    double value = QString::fromStdString(s.text).toDouble(&exact);
    sp->setValue(exact ? value : s.value);
    sp->setReadOnly(s.readOnly);
  } else if (auto* p = qobject_cast<QProgressBar*>(w)) {
    p->setRange(s.low, s.high);
    p->setValue(s.value);
  } else if (auto* t = qobject_cast<QTabBar*>(w)) {
    while (t->count() > 0) t->removeTab(0);
    for (const std::string& title : s.tabs) t->addTab(FromAnsi(title));
    t->setCurrentIndex(s.value);
  } else if (auto* v = qobject_cast<QTreeView*>(w)) {
    auto* model = static_cast<ListModel*>(v->model());
    if (model->Show(s)) {
      for (std::size_t i = 0; i < s.columns.size(); ++i) v->setColumnWidth(static_cast<int>(i), s.columns[i].width);
    }
    v->setHeaderHidden(s.columns.empty());
    bool chosen = s.value >= 0 && s.value < model->rowCount();
    if (v->currentIndex().row() != (chosen ? s.value : -1)) {
      if (chosen) {
        v->setCurrentIndex(model->index(s.value, 0));
      } else {
        v->selectionModel()->clear();
      }
    }
  }
}

std::optional<RECT> WidgetMirror::CellRect(HWND list, int32_t row, int32_t column) {
  auto* v = qobject_cast<QTreeView*>(Find(list));
  if (!v || !v->parentWidget() || row >= v->model()->rowCount() || column >= v->model()->columnCount()) {
    return std::nullopt;
  }
  QRect cell = v->visualRect(v->model()->index(row, column));
  if (!cell.isValid()) return std::nullopt;
  QPoint at = v->viewport()->mapTo(v->parentWidget(), cell.topLeft());
  return RECT{at.x(), at.y(), at.x() + cell.width(), at.y() + cell.height()};
}

void WidgetMirror::SyncTray() {
  TrayState t = Tray();
  if (!t.present) {
    tray_.reset();
    return;
  }
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
      using Activation = TrayClicks::Activation;
      const Activation a = r == QSystemTrayIcon::Trigger       ? Activation::Single
                           : r == QSystemTrayIcon::DoubleClick ? Activation::Double
                                                               : Activation::Other;
      const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now().time_since_epoch());
      if (trayClicks_.Completes(a, now.count(), QApplication::doubleClickInterval())) input::TrayDoubleClick();
      if (r == QSystemTrayIcon::Context) input::TrayRightClick();
    });
  }
  QPixmap p;
  std::string image = IconImage(t.icon);
  if (p.loadFromData(reinterpret_cast<const uchar*>(image.data()), static_cast<uint>(image.size()))) {
    tray_->setIcon(QIcon(p));
  }
  tray_->setToolTip(FromAnsi(t.tip));
  tray_->show();
}

uint32_t WidgetMirror::ExecMenu(const TrackedMenu& menu) {
  if (pendingChoice_) {
    uint32_t c = *pendingChoice_;
    pendingChoice_.reset();
    return c;
  }
  QMenu m;
  for (const MenuItem& item : menu.items) {
    if (item.separator) {
      m.addSeparator();
      continue;
    }
    QAction* a = m.addAction(FromAnsi(item.text));
    a->setData(item.command);
    a->setEnabled(!item.grayed);
  }
  openMenu_ = &m;
  chosen_.reset();
  QAction* a = m.exec(QCursor::pos());
  openMenu_ = nullptr;
  if (chosen_) return *chosen_;
  return a ? a->data().toUInt() : 0;
}

void WidgetMirror::Choose(uint32_t command) {
  if (!openMenu_) {
    pendingChoice_ = command;
    return;
  }
  chosen_ = command;
  openMenu_->close();
}

bool WidgetMirror::Grab(HWND hwnd, const std::string& pngFile) {
  QWidget* w = Find(hwnd);
  if (!w) return false;
  return w->grab().save(QString::fromUtf8(pngFile.c_str()), "PNG");
}

}  // namespace zq::ui::qt

namespace zq::ui::qt {

std::optional<Image> WidgetMirror::GrabImage(HWND hwnd) {
  QWidget* w = Find(hwnd);
  if (!w) return std::nullopt;
  QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  Image image{shot.width(), shot.height(), {}};
  image.pixels.reserve(static_cast<std::size_t>(shot.width()) * static_cast<std::size_t>(shot.height()));
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      QRgb p = shot.pixel(x, y);
      image.pixels.push_back(static_cast<COLORREF>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16)));
    }
  }
  return image;
}

}  // namespace zq::ui::qt
