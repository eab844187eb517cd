// The poster pictures the sample site serves: a handful of small JPEG files drawn at start-up
// (gradients and stripes in different colours), always the same bytes.
#pragma once

#include <string>
#include <vector>

namespace zelidor::samplesite {

inline constexpr int kPosterWidth = 140;
inline constexpr int kPosterHeight = 105;

// kSamplePictureCount JPEG files, index i for SampleProgramme::poster == i.
std::vector<std::string> drawPosterPictures();

}  // namespace zelidor::samplesite
