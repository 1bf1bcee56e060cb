#pragma once
// The folder every file the operator saves is first offered in: the one the last export went to,
// whether a CSV of the takings or a report as PDF.

#include <QString>

#include <functional>

class ExportFolder {
public:
    // Where the folder is kept between runs; without them it is kept for this run only.
    using Load = std::function<QString()>;
    using Save = std::function<void(const QString &folder)>;

    ExportFolder() = default;
    ExportFolder(Load load, Save save);

    // The folder last saved into while it is still there; otherwise the documents folder, or the
    // home folder where there is none.
    QString folder() const;
    // The file name in that folder; the folder of a name that has one is replaced.
    QString suggest(const QString &fileName) const;
    // A file has been written at path: its folder is the one offered next time.
    void remember(const QString &path);

private:
    Load m_load;
    Save m_save;
    QString m_folder; // when nothing keeps it between runs
};
