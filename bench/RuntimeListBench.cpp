// A runtime window with a list of 20,000 rows over a queue: opening it, a full refresh and
// moving the chosen row, each against a plain Qt item model with a tree view of the same rows, built on the same GUI
// thread in the same run ("ratio_vs_qt_model": runtime time / Qt time).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>
#include <chrono>
#include <memory>

#include "zqplatform/uimodel.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace {

constexpr uint32_t kRows = 20000;

const char* kDefinition =
    "window \"Log File\" size 679,435 font \"MS Sans Serif\",8\n"
    "1 list \"\" at 4,4,670,420 vscroll\n"
    "  column \"Path\" width 200 field 1\n"
    "  column \"Size\" width 60 field 2 right picture \"@N_16.B@\"\n";

const zq::rt::RecordLayout kLayout{zq::rt::CSTRING("DIR", 256), zq::rt::REAL("RSIZE")};

zq::rt::Queue& Rows() {
  static zq::rt::Queue q(kLayout);
  if (q.Records() == 0) {
    for (uint32_t i = 1; i <= kRows; ++i) {
      q.Buffer().SetText(1, "D:\\Films\\Folder " + zq::rt::WholeText(i));
      q.Buffer().SetReal(2, i * 1024.0);
      q.Add();
    }
  }
  return q;
}

// The same rows in a plain Qt model and view, made and used on the GUI thread.
QTreeView* view = nullptr;
QStandardItemModel* model = nullptr;

double QtSeconds(bool refreshOnly) {
  double seconds = 0;
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        auto t0 = std::chrono::steady_clock::now();
        if (!refreshOnly || !view) {
          delete view;
          view = new QTreeView;
          model = new QStandardItemModel(view);
          view->setModel(model);
          view->resize(1000, 700);
        }
        model->clear();
        model->setHorizontalHeaderLabels({"Path", "Size"});
        zq::rt::Queue& q = Rows();
        for (uint32_t i = 1; i <= q.Records(); ++i) {
          auto r = q.Peek(i);
          QList<QStandardItem*> row{new QStandardItem(QString::fromStdString(r->Text(1))),
                                    new QStandardItem(QString::fromStdString(zq::rt::FormatPicture("@N_16.B@", r->Real(2))))};
          model->appendRow(row);
        }
        view->show();
        QApplication::processEvents();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      },
      Qt::BlockingQueuedConnection);
  return seconds;
}

void Ratio(benchmark::State& state, double runtime, double qt) {
  state.counters["ratio_vs_qt_model"] = qt > 0 ? runtime / qt : 0;
}

void BM_OpenListWindow(benchmark::State& state) {
  zq::rt::WindowDef def = *zq::rt::ParseWindowDefinition(kDefinition).window;
  double runtime = 0, qt = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    zq::rt::Window w(def);
    w.Open();
    w.From(1, Rows());
    zq::ui::Flush();
    runtime += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    w.Close();
    zq::ui::Flush();
    qt += QtSeconds(false);
  }
  Ratio(state, runtime, qt);
}
BENCHMARK(BM_OpenListWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RefreshList(benchmark::State& state) {
  zq::rt::Window w(*zq::rt::ParseWindowDefinition(kDefinition).window);
  w.Open();
  w.From(1, Rows());
  zq::ui::Flush();
  double runtime = 0, qt = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    w.Refresh(1);
    zq::ui::Flush();
    runtime += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    qt += QtSeconds(true);
  }
  Ratio(state, runtime, qt);
}
BENCHMARK(BM_RefreshList)->Unit(benchmark::kMillisecond)->Iterations(5);

// One row down, as the Down key moves the choice, against the Qt view's own current-row move.
void BM_MoveSelection(benchmark::State& state) {
  zq::rt::Window w(*zq::rt::ParseWindowDefinition(kDefinition).window);
  w.Open();
  w.From(1, Rows());
  zq::ui::Flush();
  QtSeconds(false);
  double runtime = 0, qt = 0;
  uint32_t row = 0;
  for (auto _ : state) {
    row = row % kRows + 1;
    auto t0 = std::chrono::steady_clock::now();
    w.Select(1, row);
    zq::ui::Flush();
    // The repaint it caused, as the Qt side's processEvents paints.
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QApplication::processEvents(); },
                              Qt::BlockingQueuedConnection);
    runtime += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
          auto t1 = std::chrono::steady_clock::now();
          view->setCurrentIndex(model->index(static_cast<int>(row) - 1, 0));
          QApplication::processEvents();
          qt += std::chrono::duration<double>(std::chrono::steady_clock::now() - t1).count();
        },
        Qt::BlockingQueuedConnection);
  }
  Ratio(state, runtime, qt);
}
BENCHMARK(BM_MoveSelection)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (zq::ui::PresenterName() != "qt") return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
