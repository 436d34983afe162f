#include "cli/Verbs.h"

#include <string_view>

namespace mirvane::cli {

namespace {

constexpr std::string_view HelpText =
    R"(mirvane-hesap: Mirvane faiz hesaplayıcısının komut satırı sürümü.

Bir anapara için, başlangıç ve bitiş tarihleri arasındaki basit faizi seçilen
faiz oranı listesinin dönemlerine bölerek hesaplar; program penceresiyle aynı
kuralları ve aynı listeleri kullanır.

Kullanım:
  mirvane-hesap --liste AD --anapara TUTAR --baslangic GG.AA.YYYY --bitis GG.AA.YYYY
                [--360] [--klasor KLASOR] [--json]
  mirvane-hesap --dosya YOL --anapara TUTAR --baslangic GG.AA.YYYY --bitis GG.AA.YYYY
                [--360] [--json]
  mirvane-hesap --hazir AD --anapara TUTAR --baslangic GG.AA.YYYY --bitis GG.AA.YYYY
                [--360] [--json]
  mirvane-hesap --listeler [--klasor KLASOR]
  mirvane-hesap --hazir-listeler
  mirvane-hesap --listeleri-guncelle [--klasor KLASOR]
  mirvane-hesap --oranlar
  mirvane-hesap --oran-paketi-yukle PAKET
  mirvane-hesap --oran-paketi-kaldir
  mirvane-hesap --oran-paketi-yap KLASOR --anahtar DOSYA --surum SURUM --cikti PAKET
  mirvane-hesap --oran-anahtari-yap DOSYA
  mirvane-hesap --sure --baslangic GG.AA.YYYY --miktar N --dilim gun|hafta|ay|yil
                [--usul takvim|hmk|iik|cmk] [--ivedi] [--json]
  mirvane-hesap --hesap DOSYA [--tarih GG.AA.YYYY] [--klasor KLASOR] [--json]
                [--pdf CIKTI.pdf] [--word CIKTI.docx]
  mirvane-hesap --taahhut DOSYA --tarih GG.AA.YYYY --taksit N --ilk GG.AA.YYYY
                [--aralik ay|hafta] [--pesinat TUTAR] [--klasor KLASOR] [--json]
                [--pdf CIKTI.pdf]
  mirvane-hesap --taahhut DOSYA   (dosyada "taahhut" bölümü varsa)
  mirvane-hesap --hesap-ornegi
  mirvane-hesap --help

Seçenekler:
  --liste AD          Kullanılacak faiz oranı listesinin adı (--listeler ile
                      görülen adlardan biri; adında boşluk varsa tırnak içinde).
  --dosya YOL         Liste klasörü yerine, herhangi bir yerdeki bu ".faiz"
                      dosyasını okur. --liste ile birlikte kullanılamaz.
  --hazir AD          Klasördeki listeler yerine programla gelen bu hazır listeyi
                      (--hazir-listeler ile görülen adlardan biri) kullanır;
                      hiçbir klasöre dokunulmaz.
  --anapara TUTAR     Anapara. Ondalık ayırıcı tek bir virgül, binlik ayırıcı
                      noktadır; en fazla 15 hane: 1000, 1000,5, ,5 ve
                      1.234,50 geçerlidir, 1,250,000 ve 1000.50 geçersizdir.
  --baslangic TARİH   Başlangıç tarihi, GG.AA.YYYY biçiminde (örnek: 01.07.2005).
  --bitis TARİH       Bitiş tarihi, GG.AA.YYYY biçiminde.
  --360               Yılı 360 gün sayar (verilmezse 365 gün).
  --klasor KLASOR     Faiz oranı listelerinin klasörü. Verilmezse programın
                      yanındaki "Veriler/Faizler" klasörü kullanılır (oraya
                      yazılamıyorsa kullanıcının kendi veri klasörü). Klasör yoksa
                      oluşturulur; içinde hiç liste yoksa üç hazır liste yazılır.
                      --dosya verildiğinde klasöre bakılmaz.
  --json              Sonucu JSON olarak yazar.
  --listeler          Klasördeki listelerin adlarını, program penceresindeki
                      sırayla, her satıra bir ad olarak yazar. Gösterilmeyen
                      dosyalar (aynı adın ikinci dosyası, adında denetim
                      karakteri olan dosya) hata çıktısında belirtilir.
  --hazir-listeler    Programla gelen güncel hazır listelerin adlarını, her
                      satıra bir ad olarak yazar.
  --listeleri-guncelle
                      Klasördeki her listeyi bir hazır listeyle karşılaştırır:
                      hazır listenin eski bir hâli (programın eski sürümlerinin
                      yazdığı listeler ya da hazır listenin baştan bir parçası)
                      olan liste, ilk farklı döneminden başlayarak hazır listenin
                      güncel dönemleriyle güvenle yeniden yazılır. Her liste için
                      bir satır yazılır (güncellendi: AD (N dönem değişti),
                      güncel: AD ya da tanınmadı: AD); tanınmayan listeye
                      dokunulmaz.
  --oranlar           Kullanılan her oran serisini dönem dönem, dayanağıyla
                      (sekmeyle ayrılmış) yazar; ilk satır hangi oranların
                      kullanıldığını söyler ("Faiz oranları 15.01.2027 tarihine
                      kadar denetlendi, oran paketi 2027.1").
  --oran-paketi-yukle PAKET
                      İmzalı bir oran paketini (".mirvane-oran") doğrular ve
                      kullanıcının veri klasörüne kurar: hazır listeler, yeni
                      klasörün listeleri, listeleri güncelleme ve --oranlar
                      bundan sonra paketin oranlarını kullanır. İmzası geçersiz,
                      biçimi bu sürümden yeni, oranları kullanılanlardan yeni
                      olmayan ya da tabloları kurallara uymayan paket nedeni
                      söylenerek reddedilir (çıkış kodu 1).
  --oran-paketi-kaldir
                      Kurulu oran paketini kaldırır; programla gelen oranlar
                      yeniden kullanılır.
  --oran-paketi-yap KLASOR
                      Bakımcılar için: KLASOR'deki tablolardan (statutory.tsv,
                      central-bank.tsv, late-payment.tsv, checked-on.txt)
                      --anahtar dosyasıyla imzalanmış, --surum sürümlü bir oran
                      paketi yapıp --cikti dosyasına yazar.
  --oran-anahtari-yap DOSYA
                      Bakımcılar için: yeni bir imza anahtarı yapar; gizli yarısı
                      DOSYA'ya (yalnız sahibinin okuyabileceği yeni bir dosya)
                      yazılır, açık yarısı ekrana.
  --sure              Başlangıç tarihine süreyi ekler ve süre sonunu bulur
                      (program penceresindeki "Süre Hesapla" ile aynı hesap).
  --miktar N          Eklenecek miktar: en çok dokuz basamaklı bir tam sayı.
  --dilim DİLİM       gun, hafta, ay ya da yil. Ay ve yılda, hedef ayda o gün
                      yoksa ayın son günü alınır (31.01 + 1 ay = 28.02).
  --usul USUL         Son günün nasıl bulunacağı (verilmezse takvim):
                      takvim  bulunan tarih olduğu gibi son gündür;
                      hmk     son gün tatile rastlarsa ilk iş gününe geçer;
                              adli tatilde (20 Temmuz-31 Ağustos) biten süre
                              7 Eylül'e uzar (HMK 104), sonra yine tatil
                              günleri atlanır;
                      iik     son gün tatile rastlarsa ilk iş gününe geçer;
                              adli tatil işlemez;
                      cmk     son gün tatile rastlarsa tatilin ertesi iş günü
                              biter (CMK 39); adli tatilde biten süre tatilin
                              bitiminden üç gün uzar (CMK 331/4).
                      Adli tatil o yılın sınırlarıyla uygulanır (2013'ten önce
                      5 Eylül'de biterdi). Tatil günleri: cumartesi, pazar,
                      resmî bayramlar ve 2000-2030 yıllarının Ramazan ve Kurban
                      Bayramları. Arife ve 28 Ekim öğleden sonrası ile
                      idari izin günleri iş günüdür, süreyi uzatmaz.
  --ivedi             Adli tatilde görülen (ivedi) iş: HMK'da (HMK 103) ve
                      CMK'da (tutuklu işler, CMK 331) adli tatil süreyi uzatmaz.
  --hesap DOSYA       Bir hesap dosyasını (".mirvane") hesaplar: anapara,
                      masraf ve vekalet ücreti kalemleri, kısmi ödemelerin
                      dosyadaki mahsup sırasıyla (öntanımlı: masraf, vekalet,
                      faiz, anapara) mahsubu ve hesap tarihindeki bakiye. Dosyada
                      kopyası olmayan listeler --klasor'dan, orada da yoksa
                      programla gelen hazır listelerden alınır. Dosyadaki her
                      seçenek ("secenekler") ayrı bir hesap olarak aynı
                      kurallarla hesaplanır.
  --tarih TARİH       --hesap ile: dosyadaki hesap tarihinin yerine bu tarih.
  --pdf CIKTI         --hesap ile: sonucu yazmak yerine mahkemeye sunulacak raporu
                      (girdiler, özet, faiz dilimleri, mahsup, hukuki dayanak,
                      oranların kaynakları; dosyada "rapor" bilgileri varsa
                      bilirkişi raporunun bütün bölümleri, seçenekler varsa
                      karşılaştırma tablosu ve ekleri) bu PDF dosyasına yazar.
                      Yalnız pencereli programla birlikte derlenen sürümde
                      vardır. --taahhut ile: imzaya hazır "Ödeme Taahhüdü"
                      belgesi.
  --word CIKTI        --hesap ile: aynı raporu bu Word belgesine yazar (.docx;
                      adı .dotx ile bitiyorsa Word şablonu). --pdf ile birlikte
                      verilebilir. Yalnız pencereli programla birlikte derlenen
                      sürümde vardır.
  --taahhut DOSYA     Hesap dosyası için ödeme taahhüdü planı (İİK 111): taahhüt
                      tarihindeki borç (kalem kalem anapara, takipten önceki ve
                      takipten taahhüde kadarki ödenmemiş faiz, masraf, vekalet
                      ücreti), iş günlerine kaydırılmış vadeleriyle taksitler,
                      her taksitin dosyadaki mahsup sırasıyla mahsubu, toplam
                      (rakamla ve yazıyla). Eşit taksitlerde son taksit kalanı
                      alır. Dosyadaki "taahhut" bölümü kullanılır; seçenekler
                      onun yerine geçer (--taksit verilirse taksitler eşittir).
  --tarih TARİH       --taahhut ile: taahhüt tarihi (borç bu güne hesaplanır).
  --taksit N          --taahhut ile: taksit sayısı, 1 ile 360 arasında.
  --ilk TARİH         --taahhut ile: ilk taksitin vadesi (taahhüt tarihinden
                      sonra).
  --aralik ARALIK     --taahhut ile: ay (verilmezse) ya da hafta. Aylar ilk
                      vadeden sayılır (31.01 + 1 ay = 28.02); tatile rastlayan
                      vade izleyen ilk iş gününe geçer (adli tatil işlemez).
  --pesinat TUTAR     --taahhut ile: taahhüt tarihinde ödenen peşinat.
  --hesap-ornegi      Örnek bir hesap dosyası yazar (başlamak için).
  -h, --help          Bu açıklamayı yazar.

Çıktı:
  Faiz dökümü sekmeyle ayrılmış satırlar olarak yazılır: başlık satırı, her
  dönem dilimi için bir satır (başlangıç tarihi, bitiş tarihi, faiz oranı, gün
  sayısı, faiz miktarı), "Faiz Toplamı: " satırı, boş bir satır ve satırların
  nasıl okunacağı (başlangıç günü faize dahil değildir).
  --json ile: {"liste": ad, "satirlar": [{"donem", "baslangic", "bitis", "oran",
  "gun", "miktar", "tutar"}, ...], "toplam": toplam, "uyari": ...}; tarihler
  YYYY-AA-GG, tutarlar sayı olarak yazılır ("tutar" o satıra kadarki toplamdır).
  Bitiş tarihi listenin son döneminden sonraysa son dönemin oranı sonrasına da
  uygulanır; bu durumda hata çıktısına bir uyarı yazılır ve JSON'daki "uyari"
  alanı {"metin", "son_bitis", "oran", "baslangic", "gun", "denetlendi"} olur
  (aksi halde null); "denetlendi", listenin oranların denetlendiği gün biten bir
  hazır liste olduğunu söyler. Liste adları büyük-küçük harf ayrımı olmadan
  (Türkçe kurallarıyla) eşlenir. --json ile uyarılar yalnız JSON'a yazılır.
  --sure ile: "Bulunan Tarih: GG.AA.YYYY Gün", son günü taşıyan her adım için
  bir satır ve "Son Gün: GG.AA.YYYY Gün"; uyarılar hata çıktısına yazılır.
  --sure --json ile: {"bulunan", "son_gun", "adimlar": [{"tarih", "neden"}, ...],
  "uyari": [...]}; tarihler GG.AA.YYYY.

  --hesap ile: özet (kalan anapara, ödenmemiş faiz, masraf ve vekalet ücreti,
  bakiye, fazla ödeme, işlemiş ve takip sonrası faiz, takip tutarı), boş bir
  satır, faiz dilimleri (kalem, başlangıç, bitiş, gün, oran, matrah, faiz), boş
  bir satır, mahsup tablosu, boş bir satır ve satırların nasıl okunacağı;
  sekmeyle ayrılmış. Uyarılar hata çıktısına yazılır (--json ile yalnız JSON'a).
  --hesap --json ile: {"bakiye", "kalan_anapara", "odenmemis_faiz",
  "odenmemis_masraf", "odenmemis_vekalet", "fazla_odeme", "islemis_faiz",
  "takip_sonrasi_faiz", "takip_tutari", "mahsup": [{"tarih", "tutar", "masraf",
  "vekalet", "faiz", "anapara", "fazla", "kalan_anapara"}, ...], "dilimler":
  [{"kalem", "baslangic", "bitis", "oran", "gun", "matrah", "faiz"}, ...],
  "uyari": [...], "secenekler": [{"ad", "bakiye", "kalan_anapara",
  "odenmemis_faiz", "islemis_faiz", "takip_sonrasi_faiz", "takip_tutari",
  "uyari"}, ...]}; tarihler GG.AA.YYYY, "kalem" kalemin dosyadaki sırası (1'den).
  Seçenekler metin çıktısında en sonda bir tablo olarak yazılır; seçeneklerin
  uyarıları hata çıktısına seçeneğin adıyla yazılır.

  --taahhut ile: taahhüt bilgileri, taahhüt tarihindeki borç, taksit tablosu
  (no, vade ve günü, kaydırma nedeni, taksit, işleyen faiz, masrafa, vekalete,
  faize, anaparaya, kalan anapara, fazla), toplamlar ve yazıyla toplam; sekmeyle
  ayrılmış. Uyarılar hata çıktısına yazılır.
  --taahhut --json ile: {"borc": {"tarih", "anapara", "islemis_faiz",
  "takip_sonrasi_faiz", "masraf", "vekalet", "toplam", "kalemler": [{"kalem",
  "tur", "aciklama", "tutar"}, ...]}, "pesinat" (yalnız peşinat varsa, no 0),
  "taksitler": [{"no", "vade", "neden", "tutar", "faiz", "masraf", "vekalet",
  "faiz_mahsup", "anapara", "kalan_anapara"}, ...], "toplam", "toplam_yazi",
  "taahhut_sonrasi_faiz", "kalan_borc", "fazla_odeme", "uyari": [...]}; "faiz"
  bir önceki ödemeden vadeye kadar işleyen faiz, "neden" vade kaymadıysa null;
  uyarılar yalnız "uyari"dadır.

Çıkış kodları:
  0  Hesaplama yapıldı (ya da yardım, liste adları veya oranlar yazıldı; listeler
     güncellendi).
  1  Girilen değerler ya da hesap dosyası kabul edilmedi; nedeni (hesap
     dosyasında alanın adıyla) hata çıktısına yazılır.
  2  Kullanım hatası, bulunamayan liste ya da okunamayan liste dosyası; bozuk
     ya da okunamayan hesap dosyası (bozuksa satır ve sütunuyla).
  3  Hesaplama sırasında çalışma hatası (örneğin taşma ya da 31.12.9999'dan
     sonraki bir tarih) ya da liste klasörü oluşturulamadı, okunamadı veya
     hazır listeler yazılamadı (örneğin disk dolu); hata kodu ve açıklaması
     hata çıktısına yazılır. --listeleri-guncelle ile: okunamayan ya da
     yazılamayan bir liste (hata çıktısında "okunamadı: AD" ya da
     "yazılamadı: AD"; diğer listeler yine güncellenir).
)";

} // namespace

// "--help" and "-h" win wherever they stand, even among arguments that would be refused.
bool asksForHelp(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

int printHelp(std::ostream& out) {
    out << HelpText;
    return ExitOk;
}

} // namespace mirvane::cli
