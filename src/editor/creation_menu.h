#pragma once

// The module tree of the creation menu (the pop-up menu of empty space): the
// object editor modules arranged by the path of names each one gives (its
// category, then its name). Inner nodes are categories; a leaf holds the
// module that creates the object.

#include <cstdint>

#include "foundation/char_string.h"
#include "foundation/seq.h"

class CG_ObjectEditorModule;

class TryEmptyTreeItem {
public:
  // Walks the path of names from level on through children: at each level
  // the first child with an equal name is followed, else one is appended
  // with that name. The node of the path's last name holds the module (the
  // first module that reached it keeps it). An empty path adds nothing.
  static void Insert(Seq<TryEmptyTreeItem>& children, const Seq<charString>& path, std::uint32_t level,
                     CG_ObjectEditorModule* module);
  // The module at the end of the index path, read from level on; null for an
  // index out of range, a path that ends on a category or an empty path.
  static void FindModule(const Seq<TryEmptyTreeItem>& children, const Seq<int>& path, std::uint32_t level,
                         CG_ObjectEditorModule*& module);

  charString name;
  CG_ObjectEditorModule* module = nullptr;  // not owned; leaves only
  Seq<TryEmptyTreeItem> children;
};
