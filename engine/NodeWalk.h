#pragma once
// Visiting every node of a table without its one First/Next walk, so that a
// walk under way elsewhere is not disturbed. Order: buckets 0..30, chains in
// order. The visitor must not add or delete nodes.

#include "engine/HashTab.h"

template <class Visit>
void ForEachNode(const THashTab& table, Visit&& visit) {
  for (int bucket = 0; bucket < THashTab::BucketCount; ++bucket)
    for (THashNode* node = table.Bucket(bucket); node; node = node->Next()) visit(node);
}
