// Starting the program of another rule set, which lies beside this one.
#include <filesystem>
#include <system_error>

#include "host.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace trivelo::cli::host {

namespace fs = std::filesystem;

namespace {

fs::path own_folder(const char* argv0) {
  std::error_code ec;
#if defined(_WIN32)
  char name[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, name, MAX_PATH);
  if (n > 0 && n < MAX_PATH) return fs::path(std::string(name, n)).parent_path();
#else
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path();
#endif
  return fs::absolute(argv0 ? argv0 : "", ec).parent_path();
}

#if defined(_WIN32)
// One argument as the C runtime of the started program splits its command line.
std::string quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') out.append(backslashes * 2 + 1, '\\');
    else out.append(backslashes, '\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}
#endif

}  // namespace

int run_sibling(const char* argv0, const std::string& name, const std::vector<std::string>& args, std::string& error) {
#if defined(_WIN32)
  const std::string program = (own_folder(argv0) / (name + ".exe")).string();
  std::string line = quoted(program);
  for (const std::string& a : args) line += " " + quoted(a);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    error = program + " cannot be started";
    return -1;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
#else
  const std::string program = (own_folder(argv0) / name).string();
  std::vector<std::string> all = {program};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  error = program + " cannot be started";
  return -1;
#endif
}

}  // namespace trivelo::cli::host
