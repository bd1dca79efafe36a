// How the program hosts the engine: thread, stack and ownership of values.
#include <pthread.h>

#include <QApplication>
#include <QThread>
#include <QTest>

#include <vector>

#include "engine_access.h"
#include "gallery_lines.h"
#include "result_picture.h"
#include "sheet_driver.h"
#include "suites.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {
namespace {

std::size_t StackSizeHere() {
  pthread_attr_t attr;
  if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
  void* base = nullptr;
  std::size_t size = 0;
  pthread_attr_getstack(&attr, &base, &size);
  pthread_attr_destroy(&attr);
  return size;
}

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void toolkitAndEngineShareOneLargeStackThread() {
    QCOMPARE(QThread::currentThread(), qApp->thread());
    pthread_attr_t attr;
    QCOMPARE(pthread_getattr_np(pthread_self(), &attr), 0);
    void* base = nullptr;
    std::size_t size = 0;
    pthread_attr_getstack(&attr, &base, &size);
    pthread_attr_destroy(&attr);
    QVERIFY2(size >= (std::size_t{512} << 20), qPrintable(QString::number(size)));
  }

  void engineJobsRunInOrderOnTheirOwnLargeStackThread() {
    SheetDriver d;
    QVERIFY(d.Ready());
    std::vector<int> jobs;
    std::vector<int> dones;
    std::vector<QThread*> threads;
    std::size_t stack = 0;
    QObject context;
    for (int i = 0; i < 3; ++i)
      RunOnEngine(
          &context,
          [&, i] {
            jobs.push_back(i);
            threads.push_back(QThread::currentThread());
            stack = StackSizeHere();
          },
          [&, i] { dones.push_back(QThread::currentThread() == qApp->thread() ? i : -1); });
    bool ranForGone = false;
    {
      QObject gone;
      RunOnEngine(&gone, [] {}, [&] { ranForGone = true; });
    }
    WaitForEngine();
    QCOMPARE(jobs, (std::vector<int>{0, 1, 2}));
    QCOMPARE(dones, (std::vector<int>{0, 1, 2}));
    QVERIFY(!ranForGone);
    QVERIFY(threads[0] != qApp->thread());
    QCOMPARE(threads[1], threads[0]);
    QCOMPARE(threads[2], threads[0]);
    QVERIFY2(stack >= (std::size_t{512} << 20), qPrintable(QString::number(stack)));
  }

  // The fonts measure and draw on the engine's thread exactly as here.
  void picturesDrawnOnTheEngineThreadMatchThoseDrawnHere() {
    SheetDriver d;
    QVERIFY(d.Ready());
    for (const char* line : kGalleryLines) {
      const int entry = d.Sheet().ActiveEntry();
      d.Enter(line);
      // With the engine idle, this thread may read the values it keeps.
      const std::vector<Value*>& results = d.Sheet().Evaluator().Results();
      const PictureLayout layout =
          MeasureResults(results, d.Sheet().Fonts(), {d.Sheet().InnerWidth(), 1});
      const QImage here = DrawResults(results, layout, d.Sheet().Fonts());
      QCOMPARE(d.Picture(entry).convertToFormat(here.format()), here);
    }
  }

  void closingTheWorksheetReleasesEveryValueItHolds() {
    const std::int64_t before = LiveRecordCount();
    {
      SheetDriver d;
      QVERIFY(d.Ready());
      for (const char* line : {"1+2", "\"text\";[1,2]", "  ", "x:=4; x*ans"}) d.Enter(line);
      d.Key(Qt::Key_Up);
      d.Key(Qt::Key_Up);
      d.Retype("5;6");
      d.Key(Qt::Key_Return);
      d.PasteLast();
    }
    QCOMPARE(LiveRecordCount(), before);
  }
};

SYMCALC_GUI_SUITE(ApplicationTest)

}  // namespace symcalc::gui::test

#include "application_test.moc"
