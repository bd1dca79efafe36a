#include "hint_text.h"

#include "arity_hint.h"
#include "line_scan.h"
#include "qt_text.h"

namespace symcalc::gui::help {
namespace {

QString ArityText(const QString& name, const Arity& arity) {
  return QString::fromStdString(ArityHint(name.toStdString(), arity.most, arity.optional))
      .toHtmlEscaped();
}

QString UsageWithArgument(const QString& name, const QString& usage, int argument) {
  QStringList shown;
  int index = 0;
  const std::string written = usage.toStdString();
  for (std::string_view parameter : ParametersOf(written)) {
    const QString text = ToQString(parameter).toHtmlEscaped();
    shown.push_back(index++ == argument ? QStringLiteral("<b>%1</b>").arg(text) : text);
  }
  return name.toHtmlEscaped() + u'(' + shown.join(QStringLiteral(", ")) + u')';
}

}  // namespace

QString HintFor(const QString& line, int cursor, const UserNames& names) {
  const ArityLookup lookup = [&names](const QString& name) { return ArityOfFunction(name, names); };
  if (const std::optional<CallAt> call = CallAround(line, cursor)) {
    const QString name = call->name.toLower();
    const QString usage = UsageOfFunction(name, names);
    const std::optional<Arity> arity = lookup(name);
    if (!usage.isEmpty() && arity) {
      QString hint = UsageWithArgument(name, usage, call->argument);
      // An open call is still being typed: only too many arguments is news.
      const bool tooMany = call->given > arity->most;
      if (tooMany || (call->closed && Refuses(*arity, call->given)))
        hint += QStringLiteral(" &mdash; ") + ArityText(name, *arity);
      return hint;
    }
  }
  const std::vector<Miscount> miscounted = MiscountedCalls(line, lookup);
  if (miscounted.empty()) return {};
  return ArityText(miscounted.front().name, *lookup(miscounted.front().name));
}

}  // namespace symcalc::gui::help
