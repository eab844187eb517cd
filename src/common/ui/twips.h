// Window positions and sizes are stored in twips (1/1440 inch), as the settings row has always
// held them: 15 twips to a pixel at 96 dots per inch, fewer on a screen of higher logical dpi.
#pragma once

class QScreen;

namespace zelidor::ui {

class Twips {
  public:
    explicit Twips(double logicalDpi = 96.0) : dpi_(logicalDpi > 0 ? logicalDpi : 96.0) {}

    int toPixels(double twips) const;
    double fromPixels(int pixels) const;
    double dpi() const { return dpi_; }

  private:
    double dpi_;
};

// The conversion for a screen (the primary one when none is given or known).
Twips twipsFor(const QScreen* screen);

}  // namespace zelidor::ui
