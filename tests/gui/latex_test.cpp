// LaTeX written from values follows the picture: stacked fractions, raised
// exponents, parentheses and minus signs where the layout puts them.
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "formula_fixtures.h"
#include "latex_writer.h"
#include "suites.h"

namespace symcalc::gui::test {
namespace {

struct LatexCase {
  const char* line;
  const char* latex;
};

const LatexCase kCases[] = {
    {"-1/2", R"(-\frac{1}{2})"},
    {"-2*x^(-3)", R"(-\frac{2}{x^{3}})"},
    {"3*x^2*y^(-2)*z^(-1)", R"(\frac{3\,x^{2}}{y^{2}\,z})"},
    {"a+(-3)*b", R"(a -3\,b)"},  // the "+" is left out: the term shows its minus
    {"-(a+b)", R"(-\left(a + b\right))"},
    {"(-2)^n", R"(\left(-2\right)^{n})"},
    {"x^(y^z)", R"(x^{\left(y^{z}\right)})"},
    {"x^(1/2)", R"(x^{\left(\frac{1}{2}\right)})"},
    {"a=(b=c)", R"(a = \left(b = c\right))"},
    {"a>=b&c<>d|f", R"(a \geq b\text{ and }c \neq d\text{ or }f)"},
    {"diff(sin(x)/x, x)", R"(\frac{\cos\left(x\right)}{x} -\frac{\sin\left(x\right)}{x^{2}})"},
    {"atan(y, x)+sqr(x_1)", R"(\operatorname{atan}\left(y, x\right) + \operatorname{sqr}\left(\mathit{x\_1}\right))"},
    {"[1, x/2][3, 4]", R"(\begin{bmatrix}1 & \frac{x}{2} \\ 3 & 4\end{bmatrix})"},
    {"array(11, 1)", R"(\left[\begin{array}{ccccccccccc}0 & 0 & 0 & 0 & 0 & 0 & 0 & 0 & 0 & 0 & 0\end{array}\right])"},
    {"{1, {2, 3}, {}}", R"(\left\{1, \left\{\,\right\}, \left\{2, 3\right\}\right\})"},
    {"#c(1/2, -3)", R"(\#\mathrm{c}\left(\frac{1}{2}, -3\right))"},
    {"-inf..inf", R"(-\infty\,..\,\infty)"},
    {R"("a_b{c}<>--")", R"(\text{"a\_b\{c\}\textless{}\textgreater{}-{}-"})"},
    {"2*-3", R"(\text{\textless{}Error\textgreater{} Illegal number format.}\ \text{"2*"})"},
};

}  // namespace

class LatexTest : public QObject {
  Q_OBJECT

 private slots:
  void latexFollowsTheDrawing_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("latex");
    for (const LatexCase& c : kCases) QTest::newRow(c.line) << c.line << c.latex;
  }
  void latexFollowsTheDrawing() {
    QFETCH(QString, line);
    QFETCH(QString, latex);
    const EngineSession engine;
    const OwnedValue value = engine.Eval(line.toStdString());
    QCOMPARE(QString::fromStdString(LatexOf(value.get())), latex);
  }

  // Every sample compiles, where a LaTeX compiler is installed.
  void samplesCompile() {
    const QString compiler = QStandardPaths::findExecutable(QStringLiteral("pdflatex"));
    if (compiler.isEmpty()) QSKIP("pdflatex is not installed");
    const EngineSession engine;
    QString body;
    for (const LatexCase& c : kCases)
      body += "\\[" + QString::fromStdString(LatexOf(engine.Eval(c.line).get())) + "\\]\n";
    QTemporaryDir dir;
    QFile tex(dir.filePath(QStringLiteral("samples.tex")));
    QVERIFY(tex.open(QIODevice::WriteOnly));
    tex.write(("\\documentclass{article}\\usepackage{amsmath}\\begin{document}\n" + body +
               "\\end{document}\n").toUtf8());
    tex.close();
    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.start(compiler, {"-interaction=nonstopmode", "-halt-on-error", "samples.tex"});
    QVERIFY(run.waitForFinished(120000));
    QVERIFY2(run.exitCode() == 0, run.readAllStandardOutput().right(2000).constData());
  }
};

SYMCALC_GUI_SUITE(LatexTest)

}  // namespace symcalc::gui::test

#include "latex_test.moc"
