#include "support/program_run.h"

#include <windows.h>

#include "platform/utf8.h"
#include "support/temp_folder.h"

namespace testing_support {

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string text = platform::Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

std::string WithoutCarriageReturns(std::string text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  }
  return lines;
}

HANDLE OutputFile(const std::filesystem::path& path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The environment block of this process with `changes` ("NAME=value") put in.
std::wstring EnvironmentWith(const std::vector<std::string>& changes) {
  std::vector<std::wstring> entries;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) entries.emplace_back(entry);
  FreeEnvironmentStringsW(block);
  for (const std::string& change : changes) {
    const std::wstring wide = Wide(change);
    const std::wstring name = wide.substr(0, wide.find(L'=') + 1);
    std::erase_if(entries, [&](const std::wstring& entry) {
      return CompareStringOrdinal(entry.c_str(), static_cast<int>(std::min(entry.size(), name.size())),
                                  name.c_str(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
    });
    entries.push_back(wide);
  }
  std::wstring result;
  for (const std::wstring& entry : entries) result += entry + L'\0';
  return result + L'\0';
}

ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
               const std::filesystem::path* folder, const std::vector<std::string>* environment) {
  TempFolder scratch;
  const auto outPath = scratch.path() / "out", errPath = scratch.path() / "err";
  ProgramRun run;
  {
    const HANDLE out = OutputFile(outPath), err = OutputFile(errPath);
    std::wstring command = Quoted(Wide(program));
    for (const std::string& arg : args) command += L" " + Quoted(Wide(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring block;
    if (environment) block = EnvironmentWith(*environment);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(
        nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_UNICODE_ENVIRONMENT,
        environment ? block.data() : nullptr, folder ? folder->c_str() : nullptr, &startup, &process);
    CloseHandle(out);
    CloseHandle(err);
    if (started) {
      WaitForSingleObject(process.hProcess, INFINITE);
      DWORD code = 0;
      if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }
  // Programs write text in the system's text mode; the tests compare the
  // lines, with "\n" between them as on every system.
  run.out = WithoutCarriageReturns(ReadBytes(outPath));
  run.err = WithoutCarriageReturns(ReadBytes(errPath));
  return run;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return Run(program, args, nullptr, nullptr);
}

ProgramRun RunProgramIn(const std::filesystem::path& folder, const std::string& program,
                        const std::vector<std::string>& args,
                        const std::vector<std::string>& environment) {
  // Only the system's own folders on the path.
  std::vector<std::string> changes = {"PATH=C:\\windows\\system32;C:\\windows"};
  changes.insert(changes.end(), environment.begin(), environment.end());
  return Run(program, args, &folder, &changes);
}

}  // namespace testing_support
