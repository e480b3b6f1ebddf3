// CSkyglassDoc: the application's one document. It owns the catalogue and
// loads the map file when the framework sets it up as a new document.
#pragma once

#include <string>

#include "catalog/StarCatalog.h"

class LoadArchive;

class CSkyglassDoc {
 public:
  // mapPath is the file OnNewDocument opens; the application chooses it.
  explicit CSkyglassDoc(std::string mapPath = "map.smp");
  virtual ~CSkyglassDoc() = default;

  StarCatalog m_catalog;
  int m_bMapPresent = 0;

  // Reads nothing and writes nothing, in either direction.
  virtual void Serialize(LoadArchive& archive);
  // Opens the map read-only and loads it. TRUE whether or not a map was found.
  virtual int OnNewDocument();

  int GetStarCount() const { return m_catalog.m_nStars; }
  const std::string& MapPath() const { return m_mapPath; }
  // Why the last OnNewDocument loaded no map, as "PATH: REASON"; empty
  // before the first and after one that loaded.
  const std::string& MapFailure() const { return m_strMapFailure; }

 private:
  std::string m_mapPath;
  std::string m_strMapFailure;
};
