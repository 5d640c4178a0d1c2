// The learner's display choices and recent texts: one settings file,
// ~/.config/Tapivox/Tapivox.conf, and nothing else. Lessons, counts and the
// lesson file never go there.
#pragma once
#include <QSettings>

#include <memory>

namespace ui {

// A handle on the settings file; read it, write it, let it go.
std::unique_ptr<QSettings> settings();

// A learner's own choice: the key itself for the first learner (the only one
// of a computer where nobody added any), under « apprenants/<id>/ » for the
// others. learner: an id, empty for the first.
void setLearnerGroup(const QString &learner);
QString learnerKey(const QString &key);

} // namespace ui
