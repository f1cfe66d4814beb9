// The commands that move a whole list in and out of files: backup and
// restore in the store file format, export and import as a text list. A
// list that a restore or an import is to replace is kept whole until its
// replacement has been read aside: a file that cannot be opened or read
// changes nothing, and every save meanwhile writes the list as it was.
#pragma once

#include <string>
#include <vector>

#include "storage/TextListFile.h"

class ItemStore;
class ListOwner;

class ListFileCommands {
public:
    // The store files' relative names are taken in folder.
    ListFileCommands(ItemStore& store, ListOwner& owner, const std::string& folder);

    void backUp();
    void restore();
    void importText();
    void exportText();

private:
    // Yes keeps the present entries; asked before a restore or an import.
    // A box ended by an exit answers neither: the command is abandoned.
    enum class Keep { Yes, No, Abandon };
    Keep keepCurrentEntries();
    int loadBackup(const std::string& path, bool keep);
    TextListFile::Result readEntries(const std::string& path, bool keep);

    ItemStore& store_;
    ListOwner& owner_;
    std::string folder_;
};
