// Reads the version resource and the manifest back out of the built
// lumtrel.exe through the same Windows calls that Explorer and the loader
// use, so that a resource the build left out or wrote wrong shows here.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string versionString(const std::vector<char>& info, const char* name) {
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), query.c_str(), &text, &length) ||
      length == 0)
    return "(missing)";
  return std::string(static_cast<const char*>(text), length - 1);
}

TEST(ExeResources, VersionNamesTheProjectVersion) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(LUMTREL_EXE, &ignored);
  ASSERT_GT(size, 0u) << "no version resource in " << LUMTREL_EXE;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(LUMTREL_EXE, 0, size, info.data()));

  const struct {
    const char* name;
    std::string value;
  } fields[] = {
      {"ProductName", "lumtrel"},       {"ProductVersion", LUMTREL_VERSION},
      {"FileVersion", LUMTREL_VERSION}, {"OriginalFilename", "lumtrel.exe"},
      {"InternalName", "lumtrel"},
  };
  for (const auto& field : fields)
    EXPECT_EQ(versionString(info, field.name), field.value) << field.name;
  EXPECT_NE(versionString(info, "FileDescription"), "(missing)");

  // The numeric version that Windows compares: major.minor.patch.0.
  unsigned major = 0, minor = 0, patch = 0;
  ASSERT_EQ(std::sscanf(LUMTREL_VERSION, "%u.%u.%u", &major, &minor, &patch),
            3);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\",
                             reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, patch));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, patch));
}

TEST(ExeResources, ManifestDeclaresLevelSystemsAndLongPaths) {
  const HMODULE exe =
      LoadLibraryExA(LUMTREL_EXE, nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(exe, nullptr);
  const HRSRC resource =
      FindResourceW(exe, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  ASSERT_NE(resource, nullptr) << "no manifest in " << LUMTREL_EXE;
  const std::string manifest(
      static_cast<const char*>(LockResource(LoadResource(exe, resource))),
      SizeofResource(exe, resource));
  FreeLibrary(exe);

  const char* const declarations[] = {
      "level=\"asInvoker\"",
      "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
      "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
      "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
      "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
      "2016/WindowsSettings\">true</longPathAware>",
  };
  for (const char* declaration : declarations)
    EXPECT_NE(manifest.find(declaration), std::string::npos) << declaration;
}

}  // namespace
