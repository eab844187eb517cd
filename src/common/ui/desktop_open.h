// The desktop's "open": a web or mail address goes to the user's default program for it, a
// local file to the default program for its type (a page to the default browser).
#pragma once

#include <QUrl>

#include "common/dialogs.h"

namespace zelidor::ui {

// A file path becomes a file: address; anything with a scheme stays as written.
QUrl addressToUrl(const std::string& address);

class DesktopOpen : public Desktop {
  public:
    void open(const std::string& address) override;
};

}  // namespace zelidor::ui
