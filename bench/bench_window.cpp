// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, maximised on a 1920 x 1080 screen, through start-up, a static redraw, runs and
// the table after them, each against the floor: the same window doing only the work every step
// must do (the altitude text, one pixel, a pump every tenth step) for the same number of steps.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/KVUGraphiques.h"
#include "app/WindowRunHost.h"
#include "sim/NumberText.h"
#include "sim/UnitState.h"
#include "tests/support/StartedWindow.h"
#include "ui/widgets/Edit.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/Services.h"
#include "ui/widgets/StringGrid.h"

namespace {

using Clock = std::chrono::steady_clock;

// Just below the speed that escapes from the GPS altitude: the object climbs for about a month
// (2.2 million simulated seconds, 720000 km high) before it falls back through the horizontal.
constexpr const char* LongFlightSpeed = "24700";

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Wall time, and the processor time of this process, which others on a shared machine disturb
// far less: the ratios are taken from it.
struct Span {
  double wall = 0;
  double cpu = 0;
};

class Stopwatch {
 public:
  Span Elapsed() const { return {SecondsSince(wall_), CpuSeconds() - cpu_}; }

 private:
  Clock::time_point wall_ = Clock::now();
  double cpu_ = CpuSeconds();
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), 0 when it cannot be read.
long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
      return std::atol(line.c_str() + length + 1);
  }
  return 0;
}

// Lets the peak resident size start again from the current one, so that a scenario's peak is
// its own. Returns false where the kernel does not offer it.
bool ResetPeakRss() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (f == nullptr) return false;
  const bool ok = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && ok;
}

std::unique_ptr<TKVFGraphiques> StartWindow() {
  auto w = std::make_unique<TKVFGraphiques>();
  support::StartWindow(*w);
  return w;
}

int DataRows(const TKVFGraphiques& w) { return w.StringGrid1->RowCount() - 1; }

// The inputs of a run, as the preset or the user's typing leaves them.
void ChooseGps(TKVFGraphiques& w) {
  w.RadioGroup1->SetItemIndex(1);
  w.RadioGroup1Click(&w);
}

void Type(TKVFGraphiques& w, const char* alt, const char* speed) {
  w.RadioGroup1->SetItemIndex(-1);
  w.eAlt->setText(QString::fromLatin1(alt));
  w.eSpeed->setText(QString::fromLatin1(speed));
  QCoreApplication::processEvents();
}

void ChooseLost(TKVFGraphiques& w) { Type(w, "20200", "100000"); }
void ChooseLong(TKVFGraphiques& w) { Type(w, "20200", LongFlightSpeed); }

// The run as the Start button begins it.
void Run(TKVFGraphiques& w) { w.sbStartClick(&w); }

// The work no run can do without: each step writes its altitude into eAltitude as the run does,
// sets one pixel, and every tenth step pumps the window's events. With `allFields` it is no
// longer the floor but what the floor becomes when the maximum and the duration are written and
// shown too, as a climbing run writes them: the part of a run's cost that is display the system
// requires, for telling it from what the implementation adds.
void FloorSteps(TKVFGraphiques& w, int steps, bool allFields) {
  WindowRunHost host(w);
  ui::DrawingSurface& surface = w.Image1->Surface();
  // The pixels stay left of the vector box: a pixel under it would repaint the box and its
  // gauges too, which no run has to do.
  const int boxLeft = w.gbVectors->isVisible()
                          ? w.Image1->mapFrom(&w, w.gbVectors->geometry().topLeft()).x()
                          : surface.Width();
  const int width = std::clamp(boxLeft, 1, std::max(surface.Width(), 1));
  const int height = std::max(surface.Height(), 1);
  sim::NumberBuffer buffer;
  for (int i = 0; i < steps; ++i) {
    const std::string_view text = sim::FormatInteger(20200 + (allFields ? i : i % 1000), buffer);
    host.SetAltitudeText(text);
    if (allFields) {
      host.SetMaxAltText(text);
      host.SetDuration(i);
    }
    surface.SetPixel(i % width, (i / width) % height, 0xFFFFFF);
    if (i % 10 == 0) ui::PumpEvents();
  }
}

void Floor(TKVFGraphiques& w, int steps) { FloorSteps(w, steps, false); }
void FloorWithAllFields(TKVFGraphiques& w, int steps) { FloorSteps(w, steps, true); }

// Shows the table after a run as the run's end does, until it is painted.
double ShowTable(TKVFGraphiques& w) {
  w.StringGrid1->setVisible(false);
  QCoreApplication::processEvents();
  const Clock::time_point start = Clock::now();
  WindowRunHost host(w);
  host.SetGridVisible(true);
  host.SelectLastGridRow();
  w.StringGrid1->repaint();
  ui::PumpEvents();
  return SecondsSince(start);
}

Span Median(const std::vector<Span>& spans) {
  std::vector<double> wall, cpu;
  for (const Span& s : spans) {
    wall.push_back(s.wall);
    cpu.push_back(s.cpu);
  }
  return {Median(wall), Median(cpu)};
}

struct RunFigures {
  int steps = 0;
  Span run;
  Span floor;
};

// The run and its floor alternately, `repetitions` times each; the medians.
RunFigures TimeAgainstFloor(TKVFGraphiques& w, void (*choose)(TKVFGraphiques&), int repetitions) {
  std::vector<Span> runs, floors;
  RunFigures f;
  for (int i = 0; i < repetitions; ++i) {
    choose(w);
    const Stopwatch run;
    Run(w);
    runs.push_back(run.Elapsed());
    f.steps = DataRows(w);
    const Stopwatch floor;
    Floor(w, f.steps);
    floors.push_back(floor.Elapsed());
  }
  f.run = Median(runs);
  f.floor = Median(floors);
  return f;
}

struct MemoryFigures {
  bool ok = false;
  int rows = 0;
  long beforeKiB = 0;
  long peakKiB = 0;
  Span run;
  double floorCpuPerStep = 0;
  double tableSeconds = 0;
};

// A memory scenario in a process of its own, so that its peak is not another's.
int Child(const std::string& scenario) {
  std::unique_ptr<TKVFGraphiques> w = StartWindow();
  ui::SetMessageHook([](const QString&, const QString&) {});
  if (scenario == "gps") {
    ChooseGps(*w);
  } else if (scenario == "lost") {
    ChooseLost(*w);
  } else if (scenario == "long") {
    ChooseLong(*w);
  } else {
    std::fprintf(stderr, "bench_window: unknown scenario %s\n", scenario.c_str());
    return 2;
  }
  QCoreApplication::processEvents();
  const bool reset = ResetPeakRss();
  const long before = StatusKiB("VmRSS");
  const Stopwatch run;
  Run(*w);
  const Span spent = run.Elapsed();
  const double table = ShowTable(*w);
  const long peak = StatusKiB("VmHWM");
  // The floor per step on the same window after the run, over as many steps (a long flight's
  // floor over its first 300000).
  const int floorSteps = std::clamp(DataRows(*w), 1, 300000);
  const Stopwatch floor;
  Floor(*w, floorSteps);
  const double floorCpu = floor.Elapsed().cpu / floorSteps;
  std::printf("child %d %ld %ld %.6f %.6f %.9f %.6f %d\n", DataRows(*w), before, peak, spent.wall,
              spent.cpu, floorCpu, table, reset ? 1 : 0);
  return 0;
}

// The window as the screen shows it after a GPS run and after a lost run, for comparing the
// pixels of two builds.
int Grab(const std::string& prefix) {
  std::unique_ptr<TKVFGraphiques> w = StartWindow();
  ui::SetMessageHook([](const QString&, const QString&) {});
  int failures = 0;
  for (const auto& [name, choose] :
       {std::pair{"gps", &ChooseGps}, std::pair{"lost", &ChooseLost}}) {
    choose(*w);
    Run(*w);
    for (int i = 0; i < 5; ++i) ui::PumpEvents();
    const QString file = QString::fromStdString(prefix + "-" + name + ".png");
    if (!w->screen()->grabWindow(w->winId()).save(file)) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

MemoryFigures RunChild(const char* self, const std::string& scenario) {
  MemoryFigures m;
  const std::string command = std::string("'") + self + "' --child " + scenario;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return m;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    int reset = 0;
    if (std::sscanf(line, "child %d %ld %ld %lf %lf %lf %lf %d", &m.rows, &m.beforeKiB, &m.peakKiB,
                    &m.run.wall, &m.run.cpu, &m.floorCpuPerStep, &m.tableSeconds, &reset) == 8)
      m.ok = true;
  }
  if (pclose(pipe) != 0) m.ok = false;
  return m;
}

// The offscreen platform with one 1920 x 1080 screen at 96 dpi, unless a platform is chosen.
void ChooseScreen(QTemporaryDir& dir) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  const QString path = dir.filePath(QStringLiteral("screens.json"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,
               "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + path).toLocal8Bit());
}

// Steps 0 for a scenario without steps; cpu below 0 when processor time says nothing (waits).
void PrintRow(const char* name, int steps, Span spent, double floorCpu, long peakKiB,
              double bytesPerRow) {
  std::printf("%-22s %9d %10.1f", name, steps, spent.wall * 1e3);
  if (spent.cpu >= 0) {
    std::printf(" %9.1f", spent.cpu * 1e3);
  } else {
    std::printf(" %9s", "-");
  }
  if (steps > 0 && spent.cpu >= 0) {
    std::printf(" %9.3f", spent.cpu / steps * 1e6);
  } else {
    std::printf(" %9s", "-");
  }
  if (floorCpu > 0) {
    std::printf(" %9.3f %7.2f", floorCpu / std::max(steps, 1) * 1e6, spent.cpu / floorCpu);
  } else {
    std::printf(" %9s %7s", "-", "-");
  }
  if (peakKiB > 0) {
    std::printf(" %9.1f", static_cast<double>(peakKiB) / 1024);
  } else {
    std::printf(" %9s", "-");
  }
  if (bytesPerRow >= 0) {
    std::printf(" %9.1f\n", bytesPerRow);
  } else {
    std::printf(" %9s\n", "-");
  }
}

double BytesPerRow(const MemoryFigures& m) {
  if (!m.ok || m.rows <= 0) return -1;
  return static_cast<double>(m.peakKiB - m.beforeKiB) * 1024 / m.rows;
}

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

}  // namespace

int main(int argc, char** argv) {
  bool smoke = false;
  std::string child;
  std::string grab;
  int repetitions = 5;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--smoke") {
      smoke = true;
      repetitions = 1;
    } else if (arg == "--child" && i + 1 < argc) {
      child = argv[++i];
    } else if (arg == "--grab" && i + 1 < argc) {
      grab = argv[++i];
    } else if (arg == "--repetitions" && i + 1 < argc) {
      repetitions = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fprintf(stderr, "usage: bench_window [--smoke] [--repetitions N] [--grab PREFIX]\n");
      return 2;
    }
  }
  QTemporaryDir dir;
  ChooseScreen(dir);
  // Qt wants a private runtime folder; a private temporary one will do.
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", dir.path().toLocal8Bit());
  // The window's texts assume the decimal comma; the figures do not depend on it.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  if (!child.empty()) return Child(child);
  if (!grab.empty()) return Grab(grab);

  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize();

  // Start-up, repeated; the last window stays for the other scenarios.
  std::vector<Span> startups;
  std::unique_ptr<TKVFGraphiques> w;
  for (int i = 0; i < std::max(repetitions, 3); ++i) {
    w.reset();
    const Stopwatch startup;
    w = StartWindow();
    startups.push_back(startup.Elapsed());
  }
  const Stopwatch flashing;
  w->FlashStartGroup(smoke ? 1 : 10);
  const Span flash = {flashing.Elapsed().wall, -1};
  ui::SetMessageHook([](const QString&, const QString&) {});

  std::vector<Span> redraws;
  for (int i = 0; i < std::max(repetitions, 5); ++i) {
    w->RadioGroup1->SetItemIndex(1);
    const Stopwatch redraw;
    w->RadioGroup1Click(w.get());
    redraws.push_back(redraw.Elapsed());
  }

  const RunFigures gps = TimeAgainstFloor(*w, ChooseGps, repetitions);
  // The smoke run (a check that the program still works, not a measurement) flies GPS only.
  const RunFigures lost = TimeAgainstFloor(*w, smoke ? ChooseGps : ChooseLost, repetitions);
  std::vector<Span> withFields;
  for (int i = 0; i < repetitions; ++i) {
    const Stopwatch fields;
    FloorWithAllFields(*w, lost.steps);
    withFields.push_back(fields.Elapsed());
  }
  std::vector<double> tables;
  for (int i = 0; i < std::max(repetitions, 3); ++i) tables.push_back(ShowTable(*w));
  const double lostTable = Median(tables);

  // The table with a million rows, filled as runs fill it, then shown.
  const int manyRows = smoke ? 100000 : 1000000;
  {
    WindowRunHost host(*w);
    host.SetGridVisible(false);
    host.InitGrid();
    sim::RunState s;
    for (s.StepCount = 0; s.StepCount < manyRows; ++s.StepCount) {
      s.hKm = 20200 + s.StepCount % 5000;
      host.WriteStepRow(s);
    }
  }
  tables.clear();
  for (int i = 0; i < std::max(repetitions, 3); ++i) tables.push_back(ShowTable(*w));
  // The first showing reports the rows the hidden table took to the view; later ones find it known.
  const double millionFirstTable = tables.front();
  const double millionTable = Median(tables);
  const QSize area = w->Image1->size();
  const QSize client = w->size();
  w.reset();

  const MemoryFigures gpsMemory = RunChild(argv[0], "gps");
  const MemoryFigures lostMemory = RunChild(argv[0], smoke ? "gps" : "lost");
  const MemoryFigures longMemory = RunChild(argv[0], smoke ? "gps" : "long");

  std::printf(
      "bench_window: screen %dx%d, window client %dx%d, drawing area %dx%d, %d repetitions "
      "(medians); per step, floor and ratio from processor time\n",
      screenSize.width(), screenSize.height(), client.width(), client.height(), area.width(),
      area.height(), repetitions);
  std::printf("%-22s %9s %10s %9s %9s %9s %7s %9s %9s\n", "scenario", "steps", "wall ms", "cpu ms",
              "us/step", "floor us", "ratio", "peak MiB", "B/row");
  PrintRow("start-up (no flash)", 0, Median(startups), 0, 0, -1);
  PrintRow("start-up flash", 0, flash, 0, 0, -1);
  PrintRow("static redraw", 0, Median(redraws), 0, 0, -1);
  PrintRow("GPS run", gps.steps, gps.run, gps.floor.cpu, gpsMemory.peakKiB, BytesPerRow(gpsMemory));
  PrintRow(smoke ? "lost run (smoke: GPS)" : "lost run", lost.steps, lost.run, lost.floor.cpu,
           lostMemory.peakKiB, BytesPerRow(lostMemory));
  PrintRow("floor + max, duration", lost.steps, Median(withFields), lost.floor.cpu, 0, -1);
  PrintRow("table after lost run", lost.steps, {lostTable, -1}, 0, 0, -1);
  PrintRow(smoke ? "table of 100000 rows" : "table of 1000000 rows", manyRows, {millionTable, -1},
           0, 0, -1);
  PrintRow("  its first showing", manyRows, {millionFirstTable, -1}, 0, 0, -1);
  const double longFloor = longMemory.floorCpuPerStep * longMemory.rows;
  if (longMemory.ok) {
    PrintRow(smoke ? "long flight (smoke)" : "long flight", longMemory.rows, longMemory.run,
             longFloor, longMemory.peakKiB, BytesPerRow(longMemory));
    PrintRow("table after long flight", longMemory.rows, {longMemory.tableSeconds, -1}, 0, 0, -1);
  }

  const double gpsRatio = gps.run.cpu / gps.floor.cpu;
  const double lostRatio = lost.run.cpu / lost.floor.cpu;
  const double gpsPerStep = gps.run.cpu / gps.steps;
  const double growth = (lost.run.cpu / lost.steps) / gpsPerStep;
  const double lostBytes = BytesPerRow(lostMemory);
  // Each run against its floor, one line each, as scripts/bench collects them.
  std::printf("window GPS run: ratio %.2f (target 1.5)\n", gpsRatio);
  std::printf("window lost run: ratio %.2f (target 1.5)\n", lostRatio);
  if (longMemory.ok && !smoke)
    std::printf("window long flight: ratio %.2f (target 1.5)\n", longMemory.run.cpu / longFloor);
  std::printf("targets:\n");
  std::printf("  lost / GPS per step        %7.2f     (<= 1.2)  %s\n", growth,
              Verdict(growth <= 1.2));
  std::printf("  lost run bytes per row     %7.1f     (<= 100)  %s\n", lostBytes,
              Verdict(lostBytes >= 0 && lostBytes <= 100));
  std::printf("  %7d-row table shown    %7.1f ms  (< 50)    %s\n", manyRows, millionTable * 1e3,
              Verdict(millionTable < 0.050));
  std::printf("    first showing            %7.1f ms  (< 50)    %s\n", millionFirstTable * 1e3,
              Verdict(millionFirstTable < 0.050));
  if (longMemory.ok && !smoke) {
    const double longGrowth = (longMemory.run.cpu / longMemory.rows) / gpsPerStep;
    const double longBytes = BytesPerRow(longMemory);
    std::printf("  long / GPS per step        %7.2f     (<= 1.2)  %s\n", longGrowth,
                Verdict(longGrowth <= 1.2));
    std::printf("  long flight bytes per row  %7.1f     (<= 100)  %s\n", longBytes,
                Verdict(longBytes >= 0 && longBytes <= 100));
  }
  const bool complete =
      gps.steps > 0 && lost.steps > 0 && gpsMemory.ok && lostMemory.ok && longMemory.ok;
  if (!complete) std::fprintf(stderr, "bench_window: a scenario did not complete\n");
  return complete ? 0 : 1;
}
