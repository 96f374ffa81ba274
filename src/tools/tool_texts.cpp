#include "tools/tool_texts.h"

#include "registry/number_text.h"

namespace vireo::tools {
namespace {

struct NamedBuild {
  const char* key;
  const char* name;
};

constexpr NamedBuild kVersionNames[] = {
    {"0.950", "Windows 95"},   {"0.1111", "Windows 95 OSR 2"}, {"0.1212", "Windows 95 OSR 2.5"},
    {"10.1998", "Windows 98"}, {"10.2222", "Windows 98 SE"},   {"90.3000", "Windows Me"},
};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string UpperHex(std::uint64_t value) {
  return registry::HexText(value);
}

std::string Kilobytes(std::uint64_t bytes) {
  return std::to_string(bytes / 1024);
}

// available / total * 100 with two decimals.
std::string Percentage(std::uint64_t available, std::uint64_t total,
                       const std::string& decimal_separator) {
  return registry::TwoDecimals(static_cast<double>(available) / static_cast<double>(total) * 100.0,
                               decimal_separator);
}

std::string MemoryLine(const char* what, std::uint64_t total, std::uint64_t available,
                       const std::string& decimal_separator) {
  return std::string("   ") + what + ": " + Kilobytes(total) + " Кб всего; " +
         Kilobytes(available) + " Кб доступно (" + Percentage(available, total, decimal_separator) +
         "%)";
}

}  // namespace

std::string OsVersionText(const platform::OsVersion& version) {
  const std::uint32_t build = version.build & 0xFFFF;
  const std::string key = std::to_string(version.minor) + "." + std::to_string(build);
  std::string name = "Windows Unknown";
  for (const NamedBuild& known : kVersionNames) {
    if (key == known.key) name = known.name;
  }
  return name + " v." + std::to_string(version.major) + "." + std::to_string(version.minor) +
         " Build " + std::to_string(static_cast<std::int16_t>(build)) +
         Trimmed(version.csd.substr(0, version.csd.find('\0')));
}

std::string RunningTimeText(std::uint32_t milliseconds) {
  std::uint32_t minutes = milliseconds / 60000;
  const std::uint32_t rest = milliseconds % 60000;
  if (rest > 30000 || (rest == 30000 && minutes % 2 == 1)) ++minutes;
  return "Система в работе " + std::to_string(minutes / 60) + " ч " + std::to_string(minutes % 60) +
         " мин";
}

std::string ProcessorText(const platform::ProcessorInfo& info) {
  return "CPU: " + std::to_string(info.processor_type) + "\r\n" +
         "Processor mask: " + std::to_string(info.active_mask) + "\r\n" +
         "Число процессоров: " + std::to_string(info.processors) + "\r\n" +
         "Allocation Granularity: " + std::to_string(info.allocation_granularity) + "\r\n" +
         "OEM ID: " + std::to_string(info.oem_id) + "\r\n" +
         "Размер страницы: " + std::to_string(info.page_size) + "\r\n" +
         "Maximum Application Address: 0x" + UpperHex(info.max_application_address) + "\r\n" +
         "Minimum Application Address: 0x" + UpperHex(info.min_application_address) + "\r\n";
}

std::string MemoryText(const platform::MemoryStatus& m, const std::string& decimal_separator) {
  if (m.total_physical == 0 || m.total_page_file == 0 || m.total_virtual == 0) return {};
  return "   Оперативная память:\r\n" +
         MemoryLine("Физическая", m.total_physical, m.available_physical, decimal_separator) +
         "\r\n" +
         MemoryLine("Страничная", m.total_page_file, m.available_page_file, decimal_separator) +
         "\r\n" +
         MemoryLine("Виртуальная", m.total_virtual, m.available_virtual, decimal_separator);
}

std::string Hex8(std::uint64_t value) {
  return registry::HexText(value, 8);
}

std::string WindowLine(std::uint64_t handle, const std::string& title) {
  std::string number = std::to_string(handle);
  if (number.size() < 5) number.insert(0, 5 - number.size(), ' ');
  return number + "    " + title;
}

std::string FolderOf(const std::string& program_file) {
  const auto slash = program_file.find_last_of('\\');
  return slash == std::string::npos ? std::string() : program_file.substr(0, slash);
}

std::string VersionText(const platform::FileVersion& version) {
  return "Версия " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.patch);
}

}  // namespace vireo::tools
