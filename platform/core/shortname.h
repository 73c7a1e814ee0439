// The 8.3 aliases that Wine makes up for long names. Wine keeps no short names on disk: it
// derives "XXXX~YYY.EXT" from each long name (up to four characters of the name, "~" to fill
// five, three characters of a hash of the whole name, up to three of the extension) and
// resolves such an alias by deriving it again for every entry of the folder. Windows' own
// "PROGRA~1" numbering is never made by Wine and is not recognised.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Whether a Windows name is a legal 8.3 name, which Wine gives no alias.
bool IsLegal83Name(std::string_view name);

// Wine's alias of a long Windows name (UTF-8), upper case; empty for a legal 8.3 name.
std::string WineShortName(std::string_view longName);

// Whether name has the shape of such an alias ("PROG~5P2", "ABC~~XYZ.TX"), case ignored.
bool LooksLikeWineShortName(std::string_view name);

}  // namespace platform
