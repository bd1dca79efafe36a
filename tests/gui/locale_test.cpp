// Numbers read and print the same under a locale whose decimal mark is ",".
// CTest runs this suite with LC_ALL=de_DE.UTF-8, which the toolkit applies to
// the C library when it starts.
#include <QTest>

#include <clocale>
#include <cstring>

#include "sheet_driver.h"
#include "suites.h"

namespace symcalc::gui::test {

class LocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void numbersIgnoreTheDecimalCommaOfTheLocale_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("printed");
    QTest::newRow("sum") << "1.25+1" << "2.25";
    QTest::newRow("literal") << "0.5" << "0.5";
    QTest::newRow("product") << "2.5*2.5" << "6.25";
  }
  void numbersIgnoreTheDecimalCommaOfTheLocale() {
    QFETCH(QString, line);
    QFETCH(QString, printed);
    const char* mark = std::localeconv()->decimal_point;
    if (std::strcmp(mark, ",") != 0)
      QSKIP("no locale with a decimal comma is active (is de_DE.UTF-8 available?)");
    SheetDriver d;
    QVERIFY(d.Ready());
    d.Enter(line);
    QCOMPARE(d.PasteLast(), printed);
    QCOMPARE(std::localeconv()->decimal_point, mark);  // nothing reset the locale
  }
};

SYMCALC_GUI_SUITE(LocaleTest)

}  // namespace symcalc::gui::test

#include "locale_test.moc"
