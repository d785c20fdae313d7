#include "platform/controls/hd_photo_system.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/controls/hd_photo_child_windows.h"
#include "platform/controls/hd_photo_wic_windows.h"
#include "platform/controls/picture.h"
#include "platform/windows_api.h"

// The Windows Imaging Component decodes HD Photo, in a process of its own
// (velmar-hdphoto.exe beside the program): a decoder that stops on a damaged
// file (Wine's does, by a failed assertion) or takes too long or too much
// memory then costs a refused picture, never the window.
namespace fmx::system {

namespace {

constexpr DWORD kDecodeMilliseconds = 20000;
// The child's committed memory: the largest picture decoded, its file and
// the decoder's own.
constexpr SIZE_T kChildMemory = SIZE_T{1} << 30;

[[noreturn]] void Fail(const std::string& why) { throw EPictureError("HD Photo: " + why); }

using platform::windows::Handle;

std::wstring ChildProgram() {
  const std::wstring path = platform::windows::ExecutablePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1) + hd_photo_child::kProgramName;
}

// The bytes in a mapping the child inherits.
HANDLE SharedCopy(std::string_view bytes) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const auto size = static_cast<unsigned long long>(bytes.size());
  const HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE,
                                            static_cast<DWORD>(size >> 32),
                                            static_cast<DWORD>(size & 0xFFFFFFFFu), nullptr);
  if (!mapping) Fail("no memory to hand the file to the decoder");
  void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, bytes.size());
  if (!view) {
    CloseHandle(mapping);
    Fail("no memory to hand the file to the decoder");
  }
  std::memcpy(view, bytes.data(), bytes.size());
  UnmapViewOfFile(view);
  return mapping;
}

// A job that holds the child to its memory and ends it with the job.
HANDLE LimitingJob() {
  const HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) Fail("cannot start the decoder");
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                            JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION |
                                            JOB_OBJECT_LIMIT_PROCESS_MEMORY;
  limits.ProcessMemoryLimit = kChildMemory;
  SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

}  // namespace

QImage DecodeHdPhoto(std::string_view bytes) {
  const Handle mapping(SharedCopy(bytes));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Handle readEnd, writeEnd;
  if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) Fail("no pipe for the decoder");
  SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);

  // The child inherits exactly the mapping and its end of the pipe.
  HANDLE inherited[] = {mapping.Get(), writeEnd.Get()};
  SIZE_T attributeBytes = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeBytes);
  std::string attributeMemory(attributeBytes, '\0');
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeMemory.data());
  if (!InitializeProcThreadAttributeList(attributes, 1, 0, &attributeBytes) ||
      !UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                 sizeof inherited, nullptr, nullptr)) {
    Fail("cannot start the decoder");
  }
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdOutput = writeEnd.Get();
  startup.lpAttributeList = attributes;

  const std::wstring program = ChildProgram();
  wchar_t arguments[64];
  swprintf(arguments, 64, L" %llx %llu",
           static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(mapping.Get())),
           static_cast<unsigned long long>(bytes.size()));
  std::wstring command = L"\"" + program + L"\"" + arguments;
  const Handle job(LimitingJob());
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(
      program.c_str(), command.data(), nullptr, nullptr, TRUE,
      CREATE_SUSPENDED | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
      &startup.StartupInfo, &process);
  DeleteProcThreadAttributeList(attributes);
  if (!started) Fail("cannot start the decoder " + std::string(program.begin(), program.end()));
  const Handle child(process.hProcess), thread(process.hThread);
  AssignProcessToJobObject(job.Get(), child.Get());
  ResumeThread(thread.Get());
  // Only the child writes now, so its end closes when the child ends.
  writeEnd.Close();

  std::string received;
  std::thread reader([&received, pipe = readEnd.Get()] {
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) received.append(buffer, got);
  });
  const bool ended = WaitForSingleObject(child.Get(), kDecodeMilliseconds) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateJobObject(job.Get(), 1);
    WaitForSingleObject(child.Get(), INFINITE);
  }
  reader.join();
  if (!ended) Fail("the decoder took too long");
  DWORD code = 1;
  GetExitCodeProcess(child.Get(), &code);
  hd_photo_child::Report report;
  if (code != 0 || received.size() < sizeof report) Fail("the decoder failed on this file");
  std::memcpy(&report, received.data(), sizeof report);
  if (!report.ok) {
    report.reason[sizeof report.reason - 1] = 0;
    throw EPictureError(report.reason);
  }
  const unsigned long long pixelBytes =
      static_cast<unsigned long long>(report.bytesPerLine) * report.height;
  if (report.width == 0 || report.height == 0 || report.width > 32768 || report.height > 32768 ||
      report.bytesPerLine < 4ull * report.width || pixelBytes > wic::kMaxPixelBytes + 4 * 32768 ||
      received.size() - sizeof report != pixelBytes) {
    Fail("the decoder gave an incomplete picture");
  }
  QImage image(static_cast<int>(report.width), static_cast<int>(report.height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) Fail("no memory for the picture");
  const char* line = received.data() + sizeof report;
  for (int y = 0; y < image.height(); ++y, line += report.bytesPerLine) {
    std::memcpy(image.scanLine(y), line, 4 * report.width);
  }
  return image;
}

}  // namespace fmx::system
