// snipfetch's one window: the catalogue's new sniplets as a check list, Get
// List to fill it and Download to fetch the checked ones.
#pragma once

#include "platform/form.h"

#include <string>

namespace snipfetch {

class frmAddIns : public platform::Form {
public:
    // host: the sniplet server, "name" or "name:port".
    explicit frmAddIns(std::wstring_view host);

    // The local sniplet folder, relative to the current directory at each use.
    std::wstring snipletFolder;

private:
    void Form_Load();
    void cmdGetList_Click();
    void cmdDownload_Click();

    std::wstring host_;
};

} // namespace snipfetch
