-- Reference data of the demo set: representatives, dealer accounts, users
-- and their machines, delivery and cargo choices, texts. The catalogue,
-- orders, documents and pictures are generated on top of it.

INSERT INTO satici (saticino, adi, telefon, mail) VALUES
  (1, 'AHMET YILMAZ', '0532 410 11 01', 'ahmet.yilmaz@zelvori.example'),
  (2, 'ELİF KORKMAZ', '0533 410 22 02', 'elif.korkmaz@zelvori.example'),
  (3, 'MURAT ÖZDEMİR', '0535 410 33 03', 'murat.ozdemir@zelvori.example');

INSERT INTO cari (carino, carikod, cariadi, saticino, adres1, adres2, ilce, il, tel1, tel2, gsm, fax1, email,
                  vergidairesi, vergino, yetkili, ozelkod, anagrup, altgrup, kod1, indirim, vade) VALUES
  (1001, '120.01.001', 'DEMO OTO YEDEK PARÇA LTD. ŞTİ.', 1, 'Sanayi Mah. Çelik Sok. No:12', 'Oto Sanayi Sitesi B Blok', 'Ümraniye', 'İSTANBUL', '0216 555 10 01', '0216 555 10 02', '0532 555 10 03', '0216 555 10 04', 'demo@demooto.example', 'Ümraniye', '1234567890', 'Hasan Demir', 'A', 'BAYİ', 'İSTANBUL ANADOLU', 'K1', 10, 30),
  (1002, '120.01.002', 'ÜÇLER OTOMOTİV SAN. TİC. A.Ş.', 1, 'Ostim OSB 1234. Cad. No:5', '', 'Yenimahalle', 'ANKARA', '0312 444 20 01', '', '0533 444 20 02', '0312 444 20 03', 'info@ucler.example', 'Ostim', '2345678901', 'Zeynep Üçler', 'A', 'BAYİ', 'İÇ ANADOLU', 'K1', 12.5, 45),
  (1003, '120.01.003', 'DÖRTYOL YEDEK PARÇA', 1, 'Kısıklı Cad. No:44', '', 'Çankaya', 'ANKARA', '0312 333 30 01', '', '0535 333 30 02', '', 'dortyol@example.com', 'Çankaya', '3456789012', 'Mustafa Dörtyol', 'B', 'BAYİ', 'İÇ ANADOLU', 'K2', 7.5, 30),
  (1004, '120.01.004', 'PASİF OTO ELEKTRİK', 2, 'Eski Sanayi 3. Blok No:7', '', 'Osmangazi', 'BURSA', '0224 222 40 01', '', '', '', 'pasif@example.com', 'Osmangazi', '4567890123', 'Kemal Pasif', 'C', 'BAYİ', 'MARMARA', 'K3', 5, 30),
  (1005, '120.01.005', 'ESKİ SÜRÜM OTOMOTİV', 2, 'Atatürk Bulv. No:101', '', 'Konak', 'İZMİR', '0232 111 50 01', '', '', '', 'eski@example.com', 'Konak', '5678901234', 'Selin Eski', 'B', 'BAYİ', 'EGE', 'K2', 8, 60),
  (1006, '120.01.006', 'KARADENİZ FREN SİSTEMLERİ', 1, 'Liman Cad. No:9', '', 'Ortahisar', 'TRABZON', '0462 321 60 01', '', '0536 321 60 02', '', 'info@kfren.example', 'Trabzon', '6789012345', 'Emre Karadeniz', 'A', 'BAYİ', 'KARADENİZ', 'K1', 10, 30),
  (1007, '120.01.007', 'GÜNEY OTO PARÇA TİC.', 2, 'Kozan Yolu 5. km', '', 'Seyhan', 'ADANA', '0322 654 70 01', '', '', '', 'guney@example.com', 'Seyhan', '7890123456', 'Ali Güney', 'B', 'BAYİ', 'AKDENİZ', 'K2', 6, 45),
  (1008, '120.01.008', 'EGE AMORTİSÖR VE SÜSPANSİYON', 2, 'Pınarbaşı Sanayi No:22', '', 'Bornova', 'İZMİR', '0232 765 80 01', '', '0537 765 80 02', '', 'ege@example.com', 'Bornova', '8901234567', 'Deniz Ege', 'A', 'BAYİ', 'EGE', 'K1', 11, 30),
  (1009, '120.01.009', 'MARMARA FİLTRE DAĞITIM', 3, 'Gebze OSB 700. Sok.', '', 'Gebze', 'KOCAELİ', '0262 876 90 01', '', '', '', 'marmara@example.com', 'Gebze', '9012345678', 'Burak Marmara', 'A', 'BAYİ', 'MARMARA', 'K1', 9, 30),
  (1010, '120.01.010', 'DOĞU OTOMOTİV LTD.', 3, 'Erzincan Yolu No:3', '', 'Yakutiye', 'ERZURUM', '0442 987 00 01', '', '', '', 'dogu@example.com', 'Erzurum', '0123456789', 'Cem Doğu', 'C', 'BAYİ', 'DOĞU ANADOLU', 'K3', 4, 60),
  (1011, '120.01.011', 'ÇUKUROVA AKÜ VE ELEKTRİK', 2, 'Turhan Cemal Beriker Bulv. No:77', '', 'Yüreğir', 'ADANA', '0322 111 11 11', '', '', '', 'cukurova@example.com', 'Yüreğir', '1122334455', 'Oya Çukur', 'B', 'BAYİ', 'AKDENİZ', 'K2', 6.5, 30),
  (1012, '120.01.012', 'TRAKYA YEDEK PARÇA', 3, 'Hürriyet Mah. No:15', '', 'Merkez', 'EDİRNE', '0284 222 12 12', '', '', '', 'trakya@example.com', 'Edirne', '2233445566', 'Tolga Trakya', 'B', 'BAYİ', 'MARMARA', 'K2', 7, 30);

-- Sign-in names and passwords are upper case: the client forces upper case
-- in both boxes and compares exactly.
INSERT INTO kullanici (sirano, adi, sifre, carino, saticino, musteritipi, aktif, version, mail) VALUES
  (1, 'DEMO', '1234', 1001, 1, 0, 1, 5, 'hasan@demooto.example'),
  (2, 'BAYI3', '1234', 1002, 1, 3, 1, 5, 'zeynep@ucler.example'),
  (3, 'BAYI4', '1234', 1003, 1, 4, 1, 5, 'mustafa@dortyol.example'),
  (4, 'TEMSILCI1', '1234', 0, 1, 1, 1, 5, 'ahmet.yilmaz@zelvori.example'),
  (5, 'TEMSILCI2', '1234', 0, 2, 2, 1, 5, 'elif.korkmaz@zelvori.example'),
  (6, 'PASIF', '1234', 1004, 2, 0, 0, 5, 'kemal@pasif.example'),
  (7, 'ESKI', '1234', 1005, 2, 0, 1, 4, 'selin@eski.example');

INSERT INTO makine (bilgisayarid, kullanicino) VALUES
  ('DEMO-PC', 1),
  ('BAYI3-PC', 2),
  ('BAYI4-PC', 3),
  ('TEMSILCI1-PC', 4),
  ('TEMSILCI2-PC', 5),
  ('PASIF-PC', 6),
  ('ESKI-PC', 7);

INSERT INTO teslim (sirano, adi) VALUES
  (1, 'Depodan Teslim Alınacak'),
  (2, 'Kargo ile Gönderilsin'),
  (3, 'Adrese Teslim');

INSERT INTO kargoturu (sirano, adi) VALUES
  (1, 'Anlaşmalı Kargo'),
  (2, 'Alıcı Ödemeli Kargo'),
  (3, 'Ambar'),
  (4, 'Servis Aracı');

INSERT INTO kargofirma (sirano, turno, adi, uyari) VALUES
  (1, 1, 'HIZLI KARGO', 'Saat 16:00''dan sonra verilen siparişler ertesi gün kargoya verilir.'),
  (2, 1, 'ANADOLU KARGO', ''),
  (3, 1, 'EGE EKSPRES', 'Doğu ve Güneydoğu illerine teslim 3 iş günü sürebilir.'),
  (4, 2, 'MARMARA KARGO', 'Alıcı ödemeli gönderilerde kargo ücreti teslimatta alınır.'),
  (5, 2, 'KUZEY KARGO', ''),
  (6, 3, 'DOĞU AMBARI', 'Ambar teslimleri yalnızca hafta içi yapılır.'),
  (7, 3, 'KARADENİZ AMBARI', 'Ağır parçalar için ambar ücreti ayrıca hesaplanır.'),
  (8, 4, 'ZELVORİ SERVİS ARACI', 'Servis aracı İstanbul içi siparişleri 17:00''ye kadar teslim eder.');

INSERT INTO ayar (anahtar, deger) VALUES
  ('kayanyazi', '<b>Zelvori Otomotiv</b> &nbsp; Fren balatalarında <font color="#C8102E"><b>%20 indirim</b></font> devam ediyor! &nbsp;&nbsp; Yeni gelen <i>filtre</i> ürünlerimizi <u>Yeni Stoklar</u> sekmesinde inceleyin. &nbsp;&nbsp; Siparişleriniz saat 16:00''ya kadar aynı gün kargoda.');

INSERT INTO duyuru (sirano, baslik, arama) VALUES
  (1, 'Fren Balatalarında %20 İndirim', '#KAMPANYA#'),
  (2, 'Yeni Gelen Filtreler', '#YENİ#'),
  (3, 'Far Ampulleri Stokta', 'AMPUL');
