// The media list of 20,000 records: opening the window "Log File" on them, sorting the list by
// each of its eight columns, and writing and reading its CSV file. References measured in
// the same run: a plain Qt item model with a tree view of the same rows (opening and sorting),
// and a plain std::string CSV writer and parser of the same rows (writing and reading); each
// benchmark prints its ratio (our time / the reference's) as the counter "ratio_vs_reference".
#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <benchmark/benchmark.h>
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqplatform/files.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"
#include "zqtest/ScratchFolder.h"

namespace {

constexpr uint32_t kRecords = 20000;
const char* kHeaders[] = {"Path", "Folder Name", "Media Name", "Ext.", "Cat", "MT", "Size", "Size"};
// The window's sort orders by column, as a header click gives them.
const char* kOrders[] = {"+SCat,+Dir", "+SCat,+DName", "+SCat,+MName", "+EXTENSION",
                         "+SCAT",      "+STYPE",       "+RSIZE",       "+HRSIZE"};

struct Row {
  std::string dir, dname, mname, extension, scat, stype;
  double rsize = 0;
  std::string hrsize;
};

const zqtest::ScratchFolder& Folder() {
  static const auto* folder = [] {
    auto* f = new zqtest::ScratchFolder("orvid-medialist-bench");
    setenv("ZQ_DRIVES", ("B=" + f->path().string()).c_str(), 1);
    zq::fs::ReloadDriveMap();
    return f;
  }();
  return *folder;
}

std::vector<Row> MakeRows() {
  std::vector<Row> rows;
  for (uint32_t i = 0; i < kRecords; ++i) {
    const bool music = i % 5 == 4;
    const std::string n = zq::rt::WholeText((i * 7919) % kRecords);
    Row r;
    r.dname = (music ? "Album " : "Film ") + n;
    r.dir = "B:\\" + std::string(music ? "Music" : "Films") + "\\Category " + zq::rt::WholeText(i % 200) + "\\" + r.dname;
    r.mname = r.dname + (music ? ".mp3" : ".mkv");
    r.extension = music ? "mp3" : "mkv";
    r.scat = music ? "A" : "V";
    r.stype = music ? "Music-File" : "Video-File";
    r.rsize = 1000.0 + (i * 104729) % 5000000;
    r.hrsize = HRSIZE(r.rsize);
    rows.push_back(std::move(r));
  }
  return rows;
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = MakeRows();
  return rows;
}

void FillList() {
  MFQ.Free();
  for (const Row& r : Rows()) {
    zq::rt::Record& b = MFQ.Buffer();
    b.Clear();
    b.SetText("DIR", r.dir);
    b.SetText("DNAME", r.dname);
    b.SetText("MNAME", r.mname);
    b.SetText("EXTENSION", r.extension);
    b.SetText("SCAT", r.scat);
    b.SetText("STYPE", r.stype);
    b.SetReal("RSIZE", r.rsize);
    b.SetText("HRSIZE", r.hrsize);
    b.SetWhole("MTYPE", r.scat == "A" ? 4 : 3);
    MFQ.Add();
  }
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs f on Qt's GUI thread and waits for it.
void OnGuiThread(const std::function<void()>& f) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), f, Qt::BlockingQueuedConnection);
}

// The reference: the same rows in a plain Qt model and tree view, made, shown and painted.
QTreeView* view = nullptr;
QStandardItemModel* model = nullptr;

double QtOpenSeconds() {
  double seconds = 0;
  OnGuiThread([&] {
    auto t0 = std::chrono::steady_clock::now();
    delete view;
    view = new QTreeView;
    model = new QStandardItemModel(view);
    view->setModel(model);
    view->resize(1100, 700);
    QStringList headers;
    for (const char* h : kHeaders) headers << h;
    model->setHorizontalHeaderLabels(headers);
    for (const Row& r : Rows()) {
      QList<QStandardItem*> items;
      for (const std::string& text : {r.dir, r.dname, r.mname, r.extension, r.scat, r.stype,
                                      zq::rt::RealText(r.rsize), r.hrsize})
        items << new QStandardItem(QString::fromStdString(text));
      model->appendRow(items);
    }
    view->show();
    QApplication::processEvents();
    seconds = Seconds(t0);
  });
  return seconds;
}

void Ratio(benchmark::State& state, double ours, double reference) {
  state.counters["ratio_vs_reference"] = reference > 0 ? ours / reference : 0;
}

bool WithQt(benchmark::State& state) {
  if (QCoreApplication::instance() != nullptr) return true;
  state.SkipWithError("the Qt reference needs the Qt presenter");
  return false;
}

// SHOWLOG until its window shows the list, then closed by a close request.
void BM_OpenMediaList(benchmark::State& state) {
  if (!WithQt(state)) return;
  Folder();
  FillList();
  const std::string title = orvid::res::WindowDefinition("MainWindow").title;
  double ours = 0, reference = 0;
  for (auto _ : state) {
    std::thread closer([&] {
      HWND shown = 0;
      while (shown == 0) {
        for (HWND h : zq::ui::Children(0)) {
          auto s = zq::ui::Snapshot(h);
          if (s && s->visible && s->text == title) shown = h;
        }
        std::this_thread::yield();
      }
      SendMessage(shown, WM_NULL, 0, 0);  // its loop runs
      zq::ui::Flush();
      zq::ui::input::CloseRequest(shown);
    });
    auto t0 = std::chrono::steady_clock::now();
    SHOWLOG();
    ours += Seconds(t0);
    closer.join();
    zq::ui::Flush();
    reference += QtOpenSeconds();
  }
  Ratio(state, ours, reference);
}
BENCHMARK(BM_OpenMediaList)->Unit(benchmark::kMillisecond)->Iterations(5);

// The queue sorted by a column's order and the list's rows rebuilt and shown, as a header
// click does, against the Qt model's own sort by that column.
void BM_SortByColumn(benchmark::State& state) {
  const int column = static_cast<int>(state.range(0));
  if (!WithQt(state)) return;
  Folder();
  FillList();
  zq::rt::Window w(orvid::res::WindowDefinition("MediaList"));
  w.Open();
  w.From(orvid::res::MediaList::List, MFQ);
  zq::ui::Flush();
  QtOpenSeconds();
  double ours = 0, reference = 0;
  for (auto _ : state) {
    FillList();
    auto t0 = std::chrono::steady_clock::now();
    MFQ.Sort(kOrders[column - 1]);
    w.Refresh(orvid::res::MediaList::List);
    zq::ui::Flush();
    ours += Seconds(t0);
    OnGuiThread([&] {
      model->sort(0, Qt::DescendingOrder);  // away from the order about to be measured
      auto t1 = std::chrono::steady_clock::now();
      model->sort(column - 1, Qt::AscendingOrder);
      QApplication::processEvents();
      reference += Seconds(t1);
    });
  }
  w.Close();
  Ratio(state, ours, reference);
}
BENCHMARK(BM_SortByColumn)->DenseRange(1, 8)->Unit(benchmark::kMillisecond)->Iterations(5);

// The plain writer: the same lines from the same rows, written with one stream write.
void PlainWrite(const std::filesystem::path& file) {
  std::string text = "Path;Folder;MediaName;Combined;Extension;Category;Type;Size;R-Size\r\n";
  for (const Row& r : Rows()) {
    const size_t cut = r.dir.rfind('\\');
    std::string size = r.hrsize;
    size.resize(25, ' ');
    text += r.dir.substr(0, cut + 1) + ";" + r.dname + ";" + r.mname + ";" + r.extension + ";" + r.scat + ";" +
            r.stype + ";" + zq::rt::RealText(r.rsize) + ";" + size + "\r\n";
  }
  text += "\r\n\r\n";
  for (int i = 0; i < 8; ++i) text += ";;;;;;;;;Total;0;0\r\n";
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// The plain parser: the file's lines split at ";" into rows.
std::vector<Row> PlainRead(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  std::vector<Row> rows;
  size_t at = text.find("\r\n") + 2;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    const std::string_view line(text.data() + at, end - at);
    at = end + 2;
    if (line.empty() || line.front() == ';') break;
    std::vector<std::string> v;
    size_t start = 0;
    for (size_t cut; (cut = line.find(';', start)) != std::string_view::npos; start = cut + 1)
      v.emplace_back(line.substr(start, cut - start));
    v.emplace_back(line.substr(start));
    v.resize(8);
    rows.push_back({v[0] + v[1], v[1], v[2], v[3], v[4], v[5], std::strtod(v[6].c_str(), nullptr), v[7]});
  }
  return rows;
}

// MFEXPORT, its save dialog answered and its notice closed at once.
void BM_WriteCsv(benchmark::State& state) {
  Folder();
  FillList();
  double ours = 0, reference = 0;
  for (auto _ : state) {
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("B:\\list.csv"));
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
    auto t0 = std::chrono::steady_clock::now();
    MFEXPORT();
    ours += Seconds(t0);
    auto t1 = std::chrono::steady_clock::now();
    PlainWrite(Folder() / "plain.csv");
    reference += Seconds(t1);
  }
  Ratio(state, ours, reference);
}
BENCHMARK(BM_WriteCsv)->Unit(benchmark::kMillisecond)->Iterations(10);

// MFIMPORT of the file written, its open dialog answered.
void BM_ReadCsv(benchmark::State& state) {
  Folder();
  FillList();
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("B:\\list.csv"));
  zq::ui::input::AnswerQuestion(zq::ui::Answer::Cancelled());
  MFEXPORT();
  PlainWrite(Folder() / "plain.csv");
  double ours = 0, reference = 0;
  size_t rows = 0;
  for (auto _ : state) {
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Chosen("B:\\list.csv"));
    auto t0 = std::chrono::steady_clock::now();
    MFIMPORT();
    ours += Seconds(t0);
    auto t1 = std::chrono::steady_clock::now();
    rows += PlainRead(Folder() / "plain.csv").size();
    reference += Seconds(t1);
  }
  if (MFQ.Records() != kRecords || rows != static_cast<size_t>(kRecords * state.iterations())) state.SkipWithError("rows lost");
  Ratio(state, ours, reference);
}
BENCHMARK(BM_ReadCsv)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  // With ZQ_PRESENTER=null the CSV benchmarks run without the notice window being painted.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zq::ui::PresenterName();  // the presenter starts before the first benchmark
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();  // each ratio (ours / reference) in its counter column
  benchmark::Shutdown();
  return 0;
}
