// Name, version and maker of the program, shared by the application and the Windows resource script
// (tools/mkres.py reads these lines to write KvListExDemo.rc, so keep them one per line).
#pragma once

namespace kvversion {

inline constexpr char kCompanyName[] = "Kv Software";
inline constexpr char kProductName[] = "KvListExDemo";
inline constexpr char kFileVersion[] = "1.00";
inline constexpr char kProductVersion[] = "1.00";
inline constexpr char kInternalName[] = "KvListExDemo";
inline constexpr char kOriginalFilename[] = "KvListExDemo.exe";

} // namespace kvversion
