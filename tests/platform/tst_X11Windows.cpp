// SPDX-License-Identifier: GPL-3.0-or-later
// Real-window tests on X11 with a window manager: the window program opens maximised and
// titled, a second start is refused in favour of the running window, a start beside another
// program's window of that title is refused the same way, and the window manager's close
// request ends the program normally. Also the title comparison of the look-up itself.
#include "X11Inspector.h"
#include "ui/platform/SingleInstanceX11.h"

#include <QProcess>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

const QString kTitle = QStringLiteral("Satellite orbit simulation");
// Starting the window program under a loaded machine can take a while; the refusal of a
// second start must be quick.
constexpr int kWindowTimeoutMs = 15000;
constexpr int kRefusalTimeoutMs = 5000;
constexpr int kStateTimeoutMs = 5000;

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return condition();
    QTest::qWait(20);
  }
  return true;
}

}  // namespace

class X11WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void windowOpensMaximisedAndTitled();
  void secondStartIsRefused();
  void startBesideOtherProgramsWindowIsRefused();
  void closeRequestEndsWithStatusZero();
  void titleMatching_data();
  void titleMatching();

 private:
  QProcess* Launch(const QString& program, const QStringList& arguments = {});
  // Starts the window program and waits for its maximised window; 0 on failure.
  std::uint32_t StartWindowProgram(QProcess** process);
  // Starts a window of another program titled `title`; its id once managed, 0 on failure.
  std::uint32_t StartOtherProgram(const QString& mode, const QString& title);
  bool WaitUntilActive(std::uint32_t window);
  // A start that the single-instance rule refuses: status 0 in time, no window mapped.
  void VerifyStartRefused(std::uint32_t expectedActive);

  QByteArray display_;
  std::unique_ptr<X11Inspector> x_;
  std::vector<std::unique_ptr<QProcess>> launched_;
};

void X11WindowsTest::initTestCase() {
  display_ = qgetenv("ORBITSIM_X11_DISPLAY");
  if (display_.isEmpty())
    QFAIL(
        "ORBITSIM_X11_DISPLAY is not set. These tests need an X server with a window "
        "manager: run them through scripts/test, which starts Xvfb with openbox and "
        "sets it.");
  qputenv("DISPLAY", display_);
  x_ = std::make_unique<X11Inspector>(display_);
  QVERIFY2(x_->IsOpen(), qPrintable("cannot open the X display " + QString(display_)));
  QVERIFY2(WaitFor([this] { return x_->Cardinal(x_->Root(), "_NET_SUPPORTING_WM_CHECK"); },
                   kStateTimeoutMs),
           "no window manager runs on the display");
}

void X11WindowsTest::init() {
  QVERIFY2(x_->ClientTitled(kTitle) == 0,
           "a window titled \"Satellite orbit simulation\" is already on the display");
}

void X11WindowsTest::cleanup() {
  for (auto& process : launched_) {
    if (process->state() == QProcess::NotRunning) continue;
    process->terminate();
    if (!process->waitForFinished(3000)) {
      process->kill();
      process->waitForFinished(3000);
    }
  }
  launched_.clear();
  // The next test starts from a display without our windows.
  WaitFor([this] { return x_->ClientTitled(kTitle) == 0; }, kStateTimeoutMs);
}

QProcess* X11WindowsTest::Launch(const QString& program, const QStringList& arguments) {
  auto process = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), QString::fromLocal8Bit(display_));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  process->setProcessEnvironment(env);
  process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process->start(program, arguments);
  if (!process->waitForStarted(5000)) qWarning("could not start %s", qPrintable(program));
  launched_.push_back(std::move(process));
  return launched_.back().get();
}

std::uint32_t X11WindowsTest::StartWindowProgram(QProcess** process) {
  QProcess* p = Launch(QStringLiteral(ORBITSIM_WINDOW_PROGRAM));
  *process = p;
  if (p->error() == QProcess::FailedToStart) return 0;
  std::uint32_t window = 0;
  WaitFor(
      [&] {
        window = x_->ClientTitled(kTitle, p->processId());
        return window != 0 || p->state() == QProcess::NotRunning;
      },
      kWindowTimeoutMs);
  if (window == 0) return 0;
  // Qt writes the maximised state before it maps the window; the size shows that the window
  // manager has acted on it.
  WaitFor([&] { return x_->IsMaximised(window) && x_->Width(window) > 1279; }, kStateTimeoutMs);
  return window;
}

std::uint32_t X11WindowsTest::StartOtherProgram(const QString& mode, const QString& title) {
  QProcess* p = Launch(QStringLiteral(ORBITSIM_TITLED_WINDOW), {mode, title});
  if (!WaitFor([p] { return p->canReadLine() || p->state() == QProcess::NotRunning; },
               kStateTimeoutMs) ||
      !p->canReadLine())
    return 0;
  const std::uint32_t window = p->readLine().trimmed().toUInt();
  if (!WaitFor([&] { return x_->ClientList().contains(window); }, kStateTimeoutMs)) return 0;
  return window;
}

bool X11WindowsTest::WaitUntilActive(std::uint32_t window) {
  return WaitFor([&] { return x_->ActiveWindow() == window; }, kStateTimeoutMs);
}

void X11WindowsTest::VerifyStartRefused(std::uint32_t expectedActive) {
  const QList<std::uint32_t> clientsBefore = x_->ClientList();
  x_->StartWatching();

  QProcess* second = Launch(QStringLiteral(ORBITSIM_WINDOW_PROGRAM));
  QVERIFY2(second->error() != QProcess::FailedToStart, "the window program did not start");
  QVERIFY2(second->waitForFinished(kRefusalTimeoutMs),
           "the refused start did not end within a few seconds");
  QCOMPARE(second->exitStatus(), QProcess::NormalExit);
  QCOMPARE(second->exitCode(), 0);

  QVERIFY2(WaitUntilActive(expectedActive), "the titled window did not become active");
  const X11Inspector::Watch watch = x_->Watched();
  QCOMPARE(watch.maps, 0);
  QCOMPARE(watch.largestClientList, int(clientsBefore.size()));
  QCOMPARE(x_->ClientList(), clientsBefore);
}

void X11WindowsTest::windowOpensMaximisedAndTitled() {
  QProcess* program = nullptr;
  const std::uint32_t window = StartWindowProgram(&program);
  QVERIFY2(window != 0, "no window titled \"Satellite orbit simulation\" appeared");
  QCOMPARE(x_->NetWmName(window), kTitle);
  QVERIFY2(x_->IsMaximised(window), "_NET_WM_STATE lacks a maximised atom");
  QCOMPARE(x_->Width(window), 1920);
  QCOMPARE(program->state(), QProcess::Running);
}

void X11WindowsTest::secondStartIsRefused() {
  QProcess* first = nullptr;
  const std::uint32_t window = StartWindowProgram(&first);
  QVERIFY(window != 0);
  // Another window takes the focus first, so that the refused start has something to undo.
  const std::uint32_t other = StartOtherProgram(QStringLiteral("both"), "Another program");
  QVERIFY(other != 0);
  x_->RequestActivation(other);
  QVERIFY(WaitUntilActive(other));

  VerifyStartRefused(window);
  QCOMPARE(first->state(), QProcess::Running);
}

void X11WindowsTest::startBesideOtherProgramsWindowIsRefused() {
  const std::uint32_t titled = StartOtherProgram(QStringLiteral("both"), kTitle);
  QVERIFY(titled != 0);
  const std::uint32_t other = StartOtherProgram(QStringLiteral("both"), "Another program");
  QVERIFY(other != 0);
  x_->RequestActivation(other);
  QVERIFY(WaitUntilActive(other));

  VerifyStartRefused(titled);
}

void X11WindowsTest::closeRequestEndsWithStatusZero() {
  QProcess* program = nullptr;
  const std::uint32_t window = StartWindowProgram(&program);
  QVERIFY(window != 0);
  // The user closes a window that is up and answering, as the window manager's ping tells.
  x_->StartWatching();
  x_->SendPing(window);
  QVERIFY2(WaitFor([this] { return x_->PongReceived(); }, kStateTimeoutMs),
           "the program does not answer the window manager's ping");
  x_->SendDeleteWindow(window);
  QVERIFY2(program->waitForFinished(kRefusalTimeoutMs), "the program did not end on close");
  QCOMPARE(program->exitStatus(), QProcess::NormalExit);
  QCOMPARE(program->exitCode(), 0);
}

void X11WindowsTest::titleMatching_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QString>("title");
  QTest::addColumn<bool>("found");

  QTest::newRow("both names") << "both" << kTitle << true;
  QTest::newRow("_NET_WM_NAME only") << "net" << kTitle << true;
  QTest::newRow("WM_NAME only") << "wm" << kTitle << true;
  QTest::newRow("trailing blank") << "both" << kTitle + ' ' << false;
  QTest::newRow("prefix") << "both" << QStringLiteral("Satellite orbit simulatio") << false;
  QTest::newRow("other case") << "both" << kTitle.toLower() << false;
  QTest::newRow("longer") << "both" << kTitle + QStringLiteral(" 2") << false;
}

// Both ways of listing the top-level windows: the window manager's client list, and the
// window tree that serves where no window manager lists its clients.
void X11WindowsTest::titleMatching() {
  QFETCH(QString, mode);
  QFETCH(QString, title);
  QFETCH(bool, found);

  const std::uint32_t window = StartOtherProgram(mode, title);
  QVERIFY(window != 0);
  const std::uint32_t expected = found ? window : 0;
  QCOMPARE(
      ui::x11::FindTitledWindow(display_.constData(), kTitle, ui::x11::WindowSearch::ClientList),
      expected);
  QCOMPARE(
      ui::x11::FindTitledWindow(display_.constData(), kTitle, ui::x11::WindowSearch::WindowTree),
      expected);
}

QTEST_GUILESS_MAIN(X11WindowsTest)
#include "tst_X11Windows.moc"
