// What the sample site answers to a request target, before any misbehaviour is applied: the
// routing of listing, detail, poster, release and the few decorative files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "samplesite/listing_cache.h"

namespace zelidor::samplesite {

struct SiteAnswer {
    int status = 200;
    std::string contentType;
    std::string body;
};

class SiteAnswers {
  public:
    // Draws the poster pictures once; answers are then pure functions of the target. Safe to
    // use from several threads at once.
    SiteAnswers();

    // target: the path and query as sent ("/canali.phtml?giorno2=05%2F12%2F02&channel=...").
    // An unknown channel, a bad day or an unknown programme gives 404.
    SiteAnswer answer(std::string_view target, std::string_view releaseText) const;

    const std::vector<std::string>& posters() const { return posters_; }

  private:
    SiteAnswer listing(std::string_view target) const;
    SiteAnswer detail(std::string_view target) const;
    SiteAnswer poster(std::string_view target) const;

    std::vector<std::string> posters_;
    ListingCache cache_;
};

// The short page that goes with an error status.
SiteAnswer errorAnswer(int status);

}  // namespace zelidor::samplesite
