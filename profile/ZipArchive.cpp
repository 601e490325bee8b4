#include "profile/ZipArchive.h"

#include <zip.h>

#include <algorithm>

#include "profile/ProfileFormat.h"
#include "text/Translate.h"

namespace {

// Closes an open member when it goes out of scope.
struct MemberCloser {
  zip_file_t* file;
  ~MemberCloser() {
    if (file != nullptr) zip_fclose(file);
  }
};

std::string MissingMemberText(const std::string& name) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "アーカイブに %1 がありません"), {name});
}

std::string UnreadableMemberText(const std::string& name) {
  return TranslatedFormat(QT_TRANSLATE_NOOP("tav", "アーカイブの %1 を展開できません"), {name});
}

// The uncompressed size the directory states for a member.
zip_uint64_t StatedSize(zip_t* archive, zip_uint64_t index, const std::string& name) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
    throw ProfileFormatError(UnreadableMemberText(name));
  }
  return stat.size;
}

}  // namespace

bool LooksLikeZip(std::string_view bytes) {
  return bytes.starts_with(std::string_view("PK\x03\x04", 4)) ||
         bytes.starts_with(std::string_view("PK\x05\x06", 4));
}

ZipArchive::ZipArchive(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source != nullptr) {
    m_archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (m_archive == nullptr) zip_source_free(source);
  }
  if (m_archive == nullptr) {
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw ProfileFormatError(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "zip アーカイブとして読めません (%1)"), {reason}));
  }
  zip_error_fini(&error);
}

ZipArchive::~ZipArchive() { zip_discard(m_archive); }

bool ZipArchive::Has(const std::string& name) const {
  return zip_name_locate(m_archive, name.c_str(), 0) >= 0;
}

std::vector<std::string> ZipArchive::Names() const {
  std::vector<std::string> names;
  const zip_int64_t count = zip_get_num_entries(m_archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(m_archive, static_cast<zip_uint64_t>(i), 0);
    if (name != nullptr) names.emplace_back(name);
  }
  return names;
}

std::string ZipArchive::Read(const std::string& name, std::size_t maxBytes) const {
  const zip_int64_t index = zip_name_locate(m_archive, name.c_str(), 0);
  if (index < 0) throw ProfileFormatError(MissingMemberText(name));
  const auto at = static_cast<zip_uint64_t>(index);
  const zip_uint64_t stated = StatedSize(m_archive, at, name);
  if (stated > maxBytes) {
    throw ProfileFormatError(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "%1 が大きすぎます (%2 バイト)"), {name, std::to_string(stated)}));
  }
  const MemberCloser member{zip_fopen_index(m_archive, at, 0)};
  if (member.file == nullptr) throw ProfileFormatError(UnreadableMemberText(name));
  // Read one byte past the stated size, so that a directory that understates
  // the member is caught there instead of inflating whatever follows.
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const zip_uint64_t wanted = std::min<zip_uint64_t>(sizeof buffer, stated + 1 - bytes.size());
    const zip_int64_t n = zip_fread(member.file, buffer, wanted);
    if (n < 0) throw ProfileFormatError(UnreadableMemberText(name));
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > stated) {
      throw ProfileFormatError(TranslatedFormat(
          QT_TRANSLATE_NOOP("tav", "%1 の大きさがアーカイブの目録と合いません"), {name}));
    }
  }
  if (bytes.size() != stated) {
    throw ProfileFormatError(TranslatedFormat(
        QT_TRANSLATE_NOOP("tav", "%1 の大きさがアーカイブの目録と合いません"), {name}));
  }
  return bytes;
}
