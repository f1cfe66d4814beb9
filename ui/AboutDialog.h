// The modal about box: product line, the maker's credit and the web-site
// address as links.
#pragma once

#include "ui/CStaticLink.h"
#include "ui/framework/Dialog.h"

class AboutDialog : public Dialog {
public:
    AboutDialog();

protected:
    bool onInitDialog() override;
    bool onPaint() override;

private:
    CStaticLink mailLink_;
    CStaticLink siteLink_;
};
