<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>chart</name>
    <message>
        <source>バネ長</source>
        <translation>Spring length</translation>
    </message>
    <message>
        <source>発生力</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>発生トルク</source>
        <translation>Torque</translation>
    </message>
    <message>
        <source>静荷重に対する許容最大応力</source>
        <translation>Allowable maximum stress under static load</translation>
    </message>
    <message>
        <source>材料の直径</source>
        <translation>Wire diameter</translation>
    </message>
    <message>
        <source>最大応力</source>
        <translation>Maximum stress</translation>
    </message>
    <message>
        <source>応力</source>
        <translation>Stress</translation>
    </message>
    <message>
        <source>動荷重に対する
ねじり応力の疲れ限度線図</source>
        <translation>Fatigue limits of torsional
stress under dynamic load</translation>
    </message>
    <message>
        <source>最小応力係数</source>
        <translation>Minimum stress ratio</translation>
    </message>
    <message>
        <source>最大応力係数</source>
        <translation>Maximum stress ratio</translation>
    </message>
</context>
<context>
    <name>datasheet</name>
    <message>
        <source>バネ データシート</source>
        <translation>Spring datasheet</translation>
    </message>
    <message>
        <source>作成日 %1</source>
        <translation>Date %1</translation>
    </message>
    <message>
        <source>件名</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>部品番号</source>
        <translation>Part number</translation>
    </message>
    <message>
        <source>担当</source>
        <translation>Engineer</translation>
    </message>
    <message>
        <source>メモ</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>バネ</source>
        <translation>Spring</translation>
    </message>
    <message>
        <source>型番</source>
        <translation>Model number</translation>
    </message>
    <message>
        <source>検索条件と各長さでの荷重・応力</source>
        <translation>Search conditions, loads and stresses at the searched lengths</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>荷重</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>荷重の幅</source>
        <translation>Load band</translation>
    </message>
    <message>
        <source>応力 τ0</source>
        <translation>Stress τ0</translation>
    </message>
    <message>
        <source>許容応力 τa</source>
        <translation>Allowable stress τa</translation>
    </message>
    <message>
        <source>長さを指定した条件はありません</source>
        <translation>No condition names a length</translation>
    </message>
    <message>
        <source>判定の前提 (カタログ値と材料表から)</source>
        <translation>Basis of the verdict (from the catalogue and the material table)</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>このバネの判定はありません</source>
        <translation>No verdict for this spring</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>限度</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>余裕</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>理由</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>前提</source>
        <translation>Assumption</translation>
    </message>
    <message>
        <source>荷重範囲</source>
        <translation>Load band</translation>
    </message>
    <message>
        <source>ほか %1 項目</source>
        <translation>%1 more checks</translation>
    </message>
    <message>
        <source>紙面に収まらないため省略</source>
        <translation>left out for lack of room on the page</translation>
    </message>
    <message>
        <source>画面に場所がなく描かれていないグラフです</source>
        <translation>This chart has no room in the window and is not drawn</translation>
    </message>
    <message>
        <source>動荷重に対するねじり応力の疲れ限度線図 (繰返し回数 %1)</source>
        <translation>Fatigue limits of torsional stress under dynamic load (%1 cycles)</translation>
    </message>
    <message>
        <source>荷重－長さ線図 (このバネの線分と検索の窓)</source>
        <translation>Load–length chart (this spring&apos;s line and the search windows)</translation>
    </message>
    <message>
        <source>静荷重に対する許容最大応力</source>
        <translation>Allowable maximum stress under static load</translation>
    </message>
    <message>
        <source>圧縮ばね</source>
        <translation>Compression spring</translation>
    </message>
    <message>
        <source>引張ばね</source>
        <translation>Extension spring</translation>
    </message>
    <message>
        <source>第1選択条件</source>
        <translation>Condition 1</translation>
    </message>
    <message>
        <source>第2選択条件</source>
        <translation>Condition 2</translation>
    </message>
    <message>
        <source>日付不明</source>
        <translation>date unknown</translation>
    </message>
    <message>
        <source>%1 更新</source>
        <translation>changed %1</translation>
    </message>
    <message>
        <source>メーカー</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>住所</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>電話</source>
        <translation>Telephone</translation>
    </message>
    <message>
        <source>FAX</source>
        <translation>Fax</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>材質</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>カタログ</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>カタログの日付</source>
        <translation>Catalogue date</translation>
    </message>
    <message>
        <source>自由長 lo</source>
        <translation>Free length lo</translation>
    </message>
    <message>
        <source>自由長時荷重 fo</source>
        <translation>Load at free length fo</translation>
    </message>
    <message>
        <source>参考長 lmax</source>
        <translation>Reference length lmax</translation>
    </message>
    <message>
        <source>最大荷重 fmax</source>
        <translation>Maximum load fmax</translation>
    </message>
    <message>
        <source>ばね定数 k</source>
        <translation>Spring rate k</translation>
    </message>
    <message>
        <source>外径 D</source>
        <translation>Outer diameter D</translation>
    </message>
    <message>
        <source>平均径 Dm</source>
        <translation>Mean diameter Dm</translation>
    </message>
    <message>
        <source>線径 d</source>
        <translation>Wire diameter d</translation>
    </message>
    <message>
        <source>総巻数 turn</source>
        <translation>Total coils turn</translation>
    </message>
    <message>
        <source>指定なし</source>
        <translation>not given</translation>
    </message>
    <message>
        <source>%1 mm (幅なし)</source>
        <translation>%1 mm (no width)</translation>
    </message>
    <message>
        <source>%1 長さ</source>
        <translation>%1 length</translation>
    </message>
    <message>
        <source>%1 荷重</source>
        <translation>%1 load</translation>
    </message>
    <message>
        <source>%1 ～ %2 %3</source>
        <translation>%1 to %2 %3</translation>
    </message>
    <message>
        <source>動作範囲</source>
        <translation>Operating range</translation>
    </message>
    <message>
        <source>繰返し回数</source>
        <translation>Cycle count</translation>
    </message>
    <message>
        <source>%1 回</source>
        <translation>%1 cycles</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>範囲外</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>, JIS B 2704 %1級</source>
        <translation>, JIS B 2704 grade %1</translation>
    </message>
</context>
<context>
    <name>spring_checks</name>
    <message>
        <source>有効巻数は総巻数と整合</source>
        <translation>Active coils agree with the total coils</translation>
    </message>
    <message>
        <source>カタログ値の不整合</source>
        <translation>Catalogue values disagree</translation>
    </message>
    <message>
        <source>応力比 τ0/τa は 0.8 未満</source>
        <translation>Stress ratio τ0/τa below 0.8</translation>
    </message>
    <message>
        <source>応力比 τ0/τa は 0.64 未満</source>
        <translation>Stress ratio τ0/τa below 0.64</translation>
    </message>
    <message>
        <source>応力比 τ0/τa が 0.8 以上</source>
        <translation>Stress ratio τ0/τa 0.8 or above</translation>
    </message>
    <message>
        <source>応力比 τ0/τa が 0.64 以上</source>
        <translation>Stress ratio τ0/τa 0.64 or above</translation>
    </message>
    <message>
        <source>最小使用長さ以上</source>
        <translation>Not shorter than the minimum working length</translation>
    </message>
    <message>
        <source>最小使用長さより短い</source>
        <translation>Shorter than the minimum working length</translation>
    </message>
    <message>
        <source>カタログの最大長は最小使用長さ以上</source>
        <translation>Catalogue maximum length not shorter than the minimum working length</translation>
    </message>
    <message>
        <source>カタログの最大長が最小使用長さより短い</source>
        <translation>Catalogue maximum length shorter than the minimum working length</translation>
    </message>
    <message>
        <source>密着時の応力は許容応力以下</source>
        <translation>Stress at solid length within the allowable stress</translation>
    </message>
    <message>
        <source>密着時の応力が許容応力を超える (へたりのおそれ)</source>
        <translation>Stress at solid length above the allowable stress (risk of setting)</translation>
    </message>
    <message>
        <source>作動点は疲れ強さの許容域内</source>
        <translation>Working point within the allowable fatigue region</translation>
    </message>
    <message>
        <source>作動点が疲れ強さの許容域外</source>
        <translation>Working point outside the allowable fatigue region</translation>
    </message>
    <message>
        <source>初応力は通常の範囲内</source>
        <translation>Initial stress within the usual range</translation>
    </message>
    <message>
        <source>初応力が通常の範囲より低い</source>
        <translation>Initial stress below the usual range</translation>
    </message>
    <message>
        <source>初応力が通常の範囲より高い</source>
        <translation>Initial stress above the usual range</translation>
    </message>
    <message>
        <source>固有振動数 (両端固定)</source>
        <translation>Natural frequency (both ends fixed)</translation>
    </message>
    <message>
        <source>荷重の公差範囲</source>
        <translation>Load tolerance band</translation>
    </message>
    <message>
        <source>線径またはコイル径のデータがない</source>
        <translation>No wire or coil diameter given</translation>
    </message>
    <message>
        <source>ばね定数のデータがない</source>
        <translation>No spring rate given</translation>
    </message>
    <message>
        <source>荷重線のデータが不正</source>
        <translation>Load line data invalid</translation>
    </message>
    <message>
        <source>材料が材料表にない</source>
        <translation>Material not in the material table</translation>
    </message>
    <message>
        <source>線径が材料の適用範囲外</source>
        <translation>Wire diameter outside the material&apos;s range</translation>
    </message>
    <message>
        <source>材料の引張強さのデータがない</source>
        <translation>No tensile strength for the material</translation>
    </message>
    <message>
        <source>総巻数のデータがない</source>
        <translation>No total coils given</translation>
    </message>
    <message>
        <source>長さがカタログの範囲外</source>
        <translation>Length outside the catalogue range</translation>
    </message>
    <message>
        <source>動作範囲がカタログの範囲外</source>
        <translation>Operating range outside the catalogue range</translation>
    </message>
    <message>
        <source>繰返し回数がない</source>
        <translation>No cycle count given</translation>
    </message>
    <message>
        <source>繰返し回数が疲れ限度線の範囲外</source>
        <translation>Cycle count outside the fatigue limit lines</translation>
    </message>
    <message>
        <source>計算できない値</source>
        <translation>Value cannot be computed</translation>
    </message>
    <message>
        <source>座屈のおそれなし (両端固定 ν=0.5)</source>
        <translation>No risk of buckling (both ends fixed, ν=0.5)</translation>
    </message>
    <message>
        <source>座屈のおそれ (両端固定 ν=0.5)</source>
        <translation>Risk of buckling (both ends fixed, ν=0.5)</translation>
    </message>
    <message>
        <source>座屈しない (両端固定 ν=0.5)</source>
        <translation>Does not buckle (both ends fixed, ν=0.5)</translation>
    </message>
    <message>
        <source>座屈のおそれなし (一端固定・他端回転支持 ν=0.7)</source>
        <translation>No risk of buckling (one end fixed, one pinned, ν=0.7)</translation>
    </message>
    <message>
        <source>座屈のおそれ (一端固定・他端回転支持 ν=0.7)</source>
        <translation>Risk of buckling (one end fixed, one pinned, ν=0.7)</translation>
    </message>
    <message>
        <source>座屈しない (一端固定・他端回転支持 ν=0.7)</source>
        <translation>Does not buckle (one end fixed, one pinned, ν=0.7)</translation>
    </message>
    <message>
        <source>座屈のおそれなし (両端回転支持 ν=1)</source>
        <translation>No risk of buckling (both ends pinned, ν=1)</translation>
    </message>
    <message>
        <source>座屈のおそれ (両端回転支持 ν=1)</source>
        <translation>Risk of buckling (both ends pinned, ν=1)</translation>
    </message>
    <message>
        <source>座屈しない (両端回転支持 ν=1)</source>
        <translation>Does not buckle (both ends pinned, ν=1)</translation>
    </message>
    <message>
        <source>座屈のおそれなし (一端固定・他端自由 ν=2)</source>
        <translation>No risk of buckling (one end fixed, one free, ν=2)</translation>
    </message>
    <message>
        <source>座屈のおそれ (一端固定・他端自由 ν=2)</source>
        <translation>Risk of buckling (one end fixed, one free, ν=2)</translation>
    </message>
    <message>
        <source>座屈しない (一端固定・他端自由 ν=2)</source>
        <translation>Does not buckle (one end fixed, one free, ν=2)</translation>
    </message>
    <message>
        <source>座屈のおそれなし (指定の座り係数 ν)</source>
        <translation>No risk of buckling (seating coefficient ν as given)</translation>
    </message>
    <message>
        <source>座屈のおそれ (指定の座り係数 ν)</source>
        <translation>Risk of buckling (seating coefficient ν as given)</translation>
    </message>
    <message>
        <source>座屈しない (指定の座り係数 ν)</source>
        <translation>Does not buckle (seating coefficient ν as given)</translation>
    </message>
    <message>
        <source>固有振動数は加振周波数の 13 倍以上</source>
        <translation>Natural frequency at least 13 times the excitation frequency</translation>
    </message>
    <message>
        <source>共振のおそれ</source>
        <translation>Risk of resonance</translation>
    </message>
    <message>
        <source>公差込みで収まる</source>
        <translation>Fits with its tolerance</translation>
    </message>
    <message>
        <source>外径 (公差込み) が上限を超える</source>
        <translation>Outer diameter (with tolerance) above the upper limit</translation>
    </message>
    <message>
        <source>内径 (公差込み) が下限を下回る</source>
        <translation>Inner diameter (with tolerance) below the lower limit</translation>
    </message>
    <message>
        <source>有効巻数が 3 未満: JIS の等級に公差がない</source>
        <translation>Fewer than 3 active coils: the JIS grade gives no tolerance</translation>
    </message>
    <message>
        <source>ばね指数が 3～22 の外: JIS の等級に公差がない</source>
        <translation>Spring index outside 3 to 22: the JIS grade gives no tolerance</translation>
    </message>
</context>
<context>
    <name>verdict</name>
    <message>
        <source>カタログ値の整合</source>
        <translation>Catalogue consistency</translation>
    </message>
    <message>
        <source>静的応力比 τ0/τa</source>
        <translation>Static stress ratio τ0/τa</translation>
    </message>
    <message>
        <source>最小使用長さ</source>
        <translation>Minimum working length</translation>
    </message>
    <message>
        <source>座屈</source>
        <translation>Buckling</translation>
    </message>
    <message>
        <source>密着時応力</source>
        <translation>Stress at solid length</translation>
    </message>
    <message>
        <source>疲れ強さ τmax/σB</source>
        <translation>Fatigue strength τmax/σB</translation>
    </message>
    <message>
        <source>初応力</source>
        <translation>Initial stress</translation>
    </message>
    <message>
        <source>固有振動数</source>
        <translation>Natural frequency</translation>
    </message>
    <message>
        <source>荷重公差</source>
        <translation>Load tolerance</translation>
    </message>
    <message>
        <source>コイル径の公差</source>
        <translation>Coil diameter tolerance</translation>
    </message>
    <message>
        <source> (動作範囲 短い側 %1 mm)</source>
        <translation> (operating range, shorter end %1 mm)</translation>
    </message>
    <message>
        <source> (動作範囲 短い側)</source>
        <translation> (operating range, shorter end)</translation>
    </message>
    <message>
        <source> (動作範囲 長い側 %1 mm)</source>
        <translation> (operating range, longer end %1 mm)</translation>
    </message>
    <message>
        <source> (動作範囲 長い側)</source>
        <translation> (operating range, longer end)</translation>
    </message>
    <message>
        <source> (カタログ最大長 %1 mm)</source>
        <translation> (catalogue maximum length %1 mm)</translation>
    </message>
    <message>
        <source> (カタログ最大長)</source>
        <translation> (catalogue maximum length)</translation>
    </message>
    <message>
        <source> (外径と穴)</source>
        <translation> (outer diameter in the bore)</translation>
    </message>
    <message>
        <source> (内径と軸)</source>
        <translation> (inner diameter on the rod)</translation>
    </message>
    <message>
        <source>%1: ばね定数からの有効巻数 %2 %3 総巻数 %4</source>
        <translation>%1: active coils from the spring rate %2 %3 total coils %4</translation>
    </message>
    <message>
        <source>固有振動数 %1 Hz &lt; %2 × %3: %4</source>
        <translation>Natural frequency %1 Hz &lt; %2 × %3: %4</translation>
    </message>
    <message>
        <source>外径 %1 (公差込み) &gt; 上限 %2</source>
        <translation>Outer diameter %1 (with tolerance) &gt; upper limit %2</translation>
    </message>
    <message>
        <source>内径 %1 (公差込み) &lt; 下限 %2</source>
        <translation>Inner diameter %1 (with tolerance) &lt; lower limit %2</translation>
    </message>
    <message>
        <source>JIS B 2704 %1級</source>
        <translation>JIS B 2704 grade %1</translation>
    </message>
    <message>
        <source> (総巻数 %1)</source>
        <translation> (total coils %1)</translation>
    </message>
    <message>
        <source>たわみ </source>
        <translation>deflection </translation>
    </message>
    <message>
        <source>座屈しない</source>
        <translation>does not buckle</translation>
    </message>
    <message>
        <source> (密着長 %1)</source>
        <translation> (solid length %1)</translation>
    </message>
    <message>
        <source> (公差込み)</source>
        <translation> (with tolerance)</translation>
    </message>
    <message>
        <source>上限 </source>
        <translation>upper limit </translation>
    </message>
    <message>
        <source>下限 </source>
        <translation>lower limit </translation>
    </message>
    <message>
        <source>平均径 Dm</source>
        <translation>Mean diameter Dm</translation>
    </message>
    <message>
        <source> (外径 − 線径)</source>
        <translation> (outer diameter − wire diameter)</translation>
    </message>
    <message>
        <source>ばね指数</source>
        <translation>Spring index</translation>
    </message>
    <message>
        <source>有効巻数</source>
        <translation>Active coils</translation>
    </message>
    <message>
        <source>k と G = %1 から</source>
        <translation>from k and G = %1</translation>
    </message>
    <message>
        <source>総巻数と不整合</source>
        <translation>disagrees with the total coils</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the sources of a value</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>総巻数</source>
        <translation>Total coils</translation>
    </message>
    <message>
        <source> (カタログ)</source>
        <translation> (catalogue)</translation>
    </message>
    <message>
        <source>横弾性係数 G</source>
        <translation>Shear modulus G</translation>
    </message>
    <message>
        <source>縦弾性係数 E</source>
        <translation>Young&apos;s modulus E</translation>
    </message>
    <message>
        <source>引張強さ σB</source>
        <translation>Tensile strength σB</translation>
    </message>
    <message>
        <source>許容応力 τa</source>
        <translation>Allowable stress τa</translation>
    </message>
    <message>
        <source>応力修正係数</source>
        <translation>Stress correction factor</translation>
    </message>
    <message>
        <source> (参考、疲れ強さに使用)</source>
        <translation> (for reference; used for the fatigue strength)</translation>
    </message>
    <message>
        <source>加振周波数 f</source>
        <translation>Excitation frequency f</translation>
    </message>
    <message>
        <source> (1サイクル動作回数 ÷ ピッチタイム)</source>
        <translation> (strokes per cycle ÷ cycle time)</translation>
    </message>
    <message>
        <source>共振の係数</source>
        <translation>Resonance factor</translation>
    </message>
    <message>
        <source>%1 (固有振動数 ≥ %1 f)</source>
        <translation>%1 (natural frequency ≥ %1 f)</translation>
    </message>
    <message>
        <source>%1時荷重 %2 – %3 %4 (%5)</source>
        <translation>Load at %1 mm %2 – %3 %4 (%5)</translation>
    </message>
    <message>
        <source> (有効巻数 %1 で計算)</source>
        <translation> (computed with %1 active coils)</translation>
    </message>
    <message>
        <source> (総巻数 %1 で計算)</source>
        <translation> (computed with %1 total coils)</translation>
    </message>
    <message>
        <source>一端固定・他端自由 (ν=2)</source>
        <translation>One end fixed, one free (ν=2)</translation>
    </message>
    <message>
        <source>両端回転支持 (ν=1)</source>
        <translation>Both ends pinned (ν=1)</translation>
    </message>
    <message>
        <source>一端固定・他端回転支持 (ν=0.7)</source>
        <translation>One end fixed, one pinned (ν=0.7)</translation>
    </message>
    <message>
        <source>両端固定 (ν=0.5)</source>
        <translation>Both ends fixed (ν=0.5)</translation>
    </message>
    <message>
        <source>合格</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>注意</source>
        <translation>Caution</translation>
    </message>
    <message>
        <source>不可</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>未判定の項目あり: </source>
        <translation>Some checks not made: </translation>
    </message>
    <message>
        <source> (カタログ値の不整合あり)</source>
        <translation> (catalogue values disagree)</translation>
    </message>
    <message>
        <source>未判定: </source>
        <translation>Not checked: </translation>
    </message>
    <message>
        <source>座り: </source>
        <translation>Seating: </translation>
    </message>
    <message>
        <source>端部: </source>
        <translation>Ends: </translation>
    </message>
    <message>
        <source>研削</source>
        <translation>ground</translation>
    </message>
    <message>
        <source>非研削</source>
        <translation>not ground</translation>
    </message>
    <message>
        <source>負荷: </source>
        <translation>Loading: </translation>
    </message>
    <message>
        <source>静的</source>
        <translation>static</translation>
    </message>
    <message>
        <source>動的</source>
        <translation>dynamic</translation>
    </message>
    <message>
        <source>荷重公差: </source>
        <translation>Load tolerance: </translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
</context>
</TS>
