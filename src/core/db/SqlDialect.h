#pragma once

#include <QString>
#include <QStringList>

namespace tkd::sql {

// Rewrites the statements as the system writes them into the engine's dialect.
// Double-quoted text is always a literal here; the engine would read it as a column
// name when one matches, so it becomes a single-quoted literal. Bracketed names and
// :name parameters pass through.
QString toEngine(const QString& statement);

// The :name parameters of a statement in order of first appearance, without the colon.
QStringList parameterNames(const QString& statement);

// A single-quoted literal of a text, for the rare places (schema, seeds) where a value
// must be part of the SQL text itself.
QString quoted(const QString& text);

} // namespace tkd::sql
