#include "platform.h"

namespace trivelo {

const char* platform_name() {
  switch (kPlatform) {
    case Platform::Windows: return "windows";
    case Platform::MorphOS: return "morphos";
    case Platform::AmigaOS4: return "amigaos4";
  }
  return "";
}

}  // namespace trivelo
