// How the program hosts the engine: thread, stack and ownership of values.
#include <pthread.h>

#include <QApplication>
#include <QThread>
#include <QTest>

#include "sheet_driver.h"
#include "suites.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {

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
