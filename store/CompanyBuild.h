#pragma once

#include <QString>

class GlobalData;
class InstallSettings;
class StoreSession;

// A company built where no one sees it and put in its place whole. Its tables and files are
// made in a work directory under the data directory whose name no company code can take (it
// starts with "."), marked unfinished by a marker file this program holds locked; place()
// renames it to the company's directory in one step, finish() removes the mark once the
// company's Sirket record is written. Until then the destructor removes whatever was made.
//
// A program killed on the way leaves a work directory, or a company directory still marked
// and without a Sirket record; clearUnfinishedCompany() removes them once no program holds
// their marker, so the code stays usable.
class CompanyBuild {
public:
    CompanyBuild(StoreSession& session, const InstallSettings& install, const QString& code);
    ~CompanyBuild();
    CompanyBuild(const CompanyBuild&) = delete;
    CompanyBuild& operator=(const CompanyBuild&) = delete;

    // Where the company is being made: the work directory, after place() its own.
    const QString& directory() const { return directory_; }
    // Moves the work directory (and its tables on a server) to the company's directory; one
    // there already refuses with the company window's message and nothing moves.
    void place();
    // The company is whole: the mark goes and nothing is removed any more.
    void finish();

    static const QString& markerName();

private:
    void release();

    StoreSession& session_;
    QString target_;
    QString directory_;
    int marker_ = -1;
    bool finished_ = false;
};

// Removes what a killed program left while making company `code` (see CompanyBuild). Refuses
// while another program is still making it.
void clearUnfinishedCompany(StoreSession& session, GlobalData& global,
                            const InstallSettings& install, const QString& code);
