#pragma once

#include <QList>
#include <QString>

namespace quillory {

// A named range: its name and its text in the range notation.
struct RangePreset {
    QString name;
    QString text;
    bool shipped{}; // one of Quillory's own, which cannot be removed
};

// The range presets: Quillory's own (the percent ranges of the project's
// ranking and "random") followed by the user's, which live in one JSON file
// ({"presets": [{"name": ..., "range": ...}, ...]}) in the user's data folder.
//
// The file is written whole with the safe writer (files/AtomicFile.h), so a
// crash leaves the old or the new list. A file that cannot be read as a list
// of presets is renamed aside ("<name>.damaged-<time>"), never overwritten,
// and Problem() says so once; the list then starts empty.
class RangePresets {
public:
    explicit RangePresets(QString path);

    // Reads the file; a missing file is an empty list.
    void Load();
    // Quillory's own first, then the user's in the order they were saved.
    QList<RangePreset> All() const;
    // Adds a preset or replaces the user's preset of that name, and writes
    // the file. False, with Problem() set, when it could not be written (the
    // preset is then kept for this run). A shipped name cannot be replaced.
    bool Save(const QString& name, const QString& text);
    bool Remove(const QString& name);

    const QString& Problem() const { return m_problem; }
    void ClearProblem() { m_problem.clear(); }
    const QString& Path() const { return m_path; }

private:
    bool Write();

    QString m_path;
    QList<RangePreset> m_user;
    QString m_problem;
};

// "ranges.json" in the user's data folder (QStandardPaths::AppDataLocation).
QString DefaultRangePresetsPath();

} // namespace quillory
