#pragma once
#include <string>
#include <vector>

#include "platform/handle.h"

namespace tolva::platform {

// One entry of a file chooser's list of file types.
struct FileFilter {
  std::string description;  // "Text Files (*.txt)"
  std::string patterns;     // "*.txt", several separated by ';'
};

// What GetOpenFileNameA is asked, and what it answers in fileName.
struct OpenFileRequest {
  WindowHandle owner = NullWindow;
  std::string title;
  std::vector<FileFilter> filters;
  int filterIndex = 1;      // the entry selected when it opens, 1 for the first
  std::string fileName;     // proposed; after a choice, the chosen file's full path
  std::string initialDir;
  bool hideReadOnly = false;   // no read-only check box
  bool pathMustExist = false;
  bool fileMustExist = false;
  bool resizable = false;
};

// The standard file-open dialog of comdlg32.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Modal. True when the user chose a file; false when they cancelled or it failed.
  virtual bool GetOpenFileNameA(OpenFileRequest& request) = 0;
};

}  // namespace tolva::platform
