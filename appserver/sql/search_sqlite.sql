-- SQLite only: a trigram index over the search form of every item, so that a
-- code fragment anywhere inside a code, an OEM number or a name is found
-- without scanning the catalogue.
CREATE VIRTUAL TABLE stok_ara USING fts5 (arama, content='stok', content_rowid='stokno', tokenize='trigram');
