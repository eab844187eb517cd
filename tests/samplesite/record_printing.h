// Readable programme rows in test failure messages.
#pragma once

#include <ostream>
#include <sstream>

#include "engine/programme_store.h"

namespace zelidor {

inline void PrintTo(const ProgrammeRow& row, std::ostream* out) {
    auto text = [](const auto& value) {
        std::ostringstream s;
        if (value) {
            s << *value;
        } else {
            s << "null";
        }
        return s.str();
    };
    *out << "{" << text(row.data) << ", " << text(row.ora) << ", " << text(row.titolo) << ", "
         << text(row.link) << ", " << text(row.commenti) << ", " << text(row.cover) << ", "
         << text(row.palinsesto) << ", " << text(row.numerazione) << ", " << text(row.type) << "}";
}

}  // namespace zelidor
