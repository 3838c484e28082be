#include "tools/mediagen/ContactSheet.h"
#include <stdexcept>
void WriteContactSheet(const std::string&, const std::string&) { throw std::runtime_error("not yet"); }
