// The reference tells the truth: every example gives its result through the
// engine, every builtin has an entry with the engine's argument counts, and
// the examples leave the user's session alone.
#include <QSet>
#include <QTest>

#include <map>

#include "engine_start.h"
#include "fonts.h"
#include "help/arity_hint.h"
#include "help/example_run.h"
#include "help/line_scan.h"
#include "help/qt_text.h"
#include "help/reference.h"
#include "help/user_names.h"
#include "suites.h"
#include "symcalc/engine.h"

namespace symcalc::gui::test {
namespace {

using help::HelpEntry;

// The printed values of a line in the running engine, joined by "; ".
QString Run(const char* line) {
  LineResult r = HandleLine(line);
  QStringList texts;
  for (const Value* v : r.values) texts << QString::fromStdString(PrintValue(v));
  ReleaseValues(r.values);
  return texts.join(QStringLiteral("; "));
}

}  // namespace

class ReferenceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { StartEngine(); }
  void cleanup() { EngineShutdown(); }

  void everyExampleGivesItsResultWhateverTheSessionHolds_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("result");
    for (const HelpEntry& entry : help::Reference())
      for (const help::Example& example : entry.examples)
        QTest::addRow("%s: %s", std::string(entry.name).c_str(), std::string(example.line).c_str())
            << help::ToQString(example.line) << help::ToQString(example.result);
  }
  void everyExampleGivesItsResultWhateverTheSessionHolds() {
    QFETCH(QString, line);
    QFETCH(QString, result);
    // Names the examples use, bound in the user's session.
    const char* session = "x:=5; y:=2; a:=1; t:=3; m:=0; c:=7; f(u):=u; g(u):=u; 6*7";
    Run(session);
    const WorksheetFonts fonts = LoadWorksheetFonts(96);
    const help::ExampleOutcome outcome = help::RunExample(line.toStdString(), &fonts);
    QCOMPARE(QString::fromStdString(outcome.text), result);
    QVERIFY(!outcome.picture.isNull());
    QCOMPARE(Run("x; y; a; t; m; c; f(1); g(2); sq(2)"),
             QStringLiteral("5; 2; 1; 3; 0; 7; 1; 2; <Error> Function is not declared. \"sq\""));
  }

  void registryAndReferenceCoverEachOtherWithTheSameArgumentCounts() {
    std::map<std::string, FunctionInfo> registry;
    for (FunctionInfo& info : RegisteredFunctions()) registry[info.name] = std::move(info);
    for (const HelpEntry& entry : help::Reference()) {
      if (entry.kind != help::EntryKind::Builtin) continue;
      const auto found = registry.find(std::string(entry.name));
      QVERIFY2(found != registry.end(), entry.name.data());
      const std::optional<help::Arity> arity = help::ArityOf(entry.usage);
      QVERIFY2(arity, entry.usage.data());
      QCOMPARE(arity->most, found->second.maxArgs);
      QCOMPARE(arity->optional, found->second.optionalArgs);
      registry.erase(found);
    }
    QStringList missing;
    for (const auto& [name, info] : registry) missing << QString::fromStdString(name);
    QCOMPARE(missing, QStringList());
  }

  void everyNameAndSeeAlsoLeadsToExactlyOneEntry() {
    QSet<QString> words;
    for (const HelpEntry& entry : help::Reference()) {
      QVERIFY2(!entry.description.empty(), entry.name.data());
      std::vector<std::string_view> own = entry.aliases;
      own.push_back(entry.name);
      for (std::string_view word : own) {
        QVERIFY2(!words.contains(help::ToQString(word)), word.data());
        words.insert(help::ToQString(word));
      }
      for (std::string_view other : entry.seeAlso)
        QVERIFY2(help::FindEntry(other) && help::FindEntry(other) != &entry, other.data());
    }
  }

  // The hint about a refused count must flag exactly the calls the engine
  // answers with "Incorrect number of parameters.".
  void miscountedCallsAreTheOnesTheEngineRefuses_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("refused");
    QTest::newRow("no argument") << "sin()" << true;
    QTest::newRow("one too many") << "sin(1,2)" << true;
    QTest::newRow("a trailing comma") << "sin(1,)" << true;
    QTest::newRow("an empty optional argument") << "atan(1,)" << false;
    QTest::newRow("spaces are no argument") << "functionlist( )" << false;
    QTest::newRow("an argument where none is taken") << "functionlist(1)" << true;
    QTest::newRow("a tab is an argument") << "sin(\t)" << false;
    QTest::newRow("a comma inside a string") << "isstring(\"a,b\")" << false;
    QTest::newRow("a bracket inside a symbol") << "sin(')')" << false;
    QTest::newRow("a call inside a string") << "\"sin()\"" << false;
    QTest::newRow("commas inside an array") << "det([1,2][3,4])" << false;
    QTest::newRow("the optional argument left out") << "if(true, 1)" << false;
    QTest::newRow("too few") << "if(true)" << true;
    QTest::newRow("the window's plot") << "plot(x)" << true;
    QTest::newRow("a user function") << "f(a,b):=a*b; f(2)" << true;
    QTest::newRow("a space before the parenthesis") << "sin (1)" << false;
    QTest::newRow("nested") << "sqr(sin(1, 2))" << true;
  }
  void miscountedCallsAreTheOnesTheEngineRefuses() {
    QFETCH(QString, line);
    QFETCH(bool, refused);
    LineResult r = HandleLine(line.toStdString());
    const bool engineRefused = !r.values.empty() && ErrorCodeOf(r.values.back()) == 14;
    ReleaseValues(r.values);
    QCOMPARE(engineRefused, refused);
    const help::UserNames names = help::ReadUserNames();
    const auto arityOf = [&names](const QString& name) { return help::ArityOfFunction(name, names); };
    QCOMPARE(!help::MiscountedCalls(line, arityOf).empty(), refused);
  }

  void arityHintSaysHowManyArgumentsAFunctionTakes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hint");
    QTest::newRow("one") << "sin" << "sin takes 1 argument";
    QTest::newRow("exactly two") << "pow" << "pow takes 2 arguments";
    QTest::newRow("one optional") << "atan" << "atan takes 1 or 2 arguments";
    QTest::newRow("two or three") << "if" << "if takes 2 or 3 arguments";
    QTest::newRow("the window's own") << "plot" << "plot takes 2 or 3 arguments";
    QTest::newRow("none") << "functionlist" << "functionlist takes no arguments";
    QTest::newRow("not a builtin") << "area" << "";
    QTest::newRow("a constant") << "pi" << "";
  }
  void arityHintSaysHowManyArgumentsAFunctionTakes() {
    QFETCH(QString, name);
    QFETCH(QString, hint);
    QCOMPARE(QString::fromStdString(help::ArityHint(name.toStdString())), hint);
  }
};

SYMCALC_GUI_SUITE(ReferenceTest)

}  // namespace symcalc::gui::test

#include "reference_test.moc"
