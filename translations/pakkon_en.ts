<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>main</name>
    <message>
        <source>このアプリケーションはすでに開かれています。</source>
        <translation>Pakkon is already running.</translation>
    </message>
    <message>
        <source>起動時エラー</source>
        <translation>Start-up error</translation>
    </message>
</context>
<context>
    <name>pakkon::QtDialogs</name>
    <message>
        <source>パズル・ファイル</source>
        <translation>Puzzle files</translation>
    </message>
</context>
<context>
    <name>pakkon::frmGenerate</name>
    <message>
        <source>新しいパズルを作る</source>
        <translation>New Puzzle</translation>
    </message>
    <message>
        <source>箱の大きさ</source>
        <translation>Box size</translation>
    </message>
    <message>
        <source>ブロックの数</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>難しさ</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>～</source>
        <translation>to</translation>
    </message>
    <message>
        <source>同じ形のブロックも使う</source>
        <translation>Allow identical blocks</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>答えがひとつだけのパズルを、でたらめな分け方から探します。</source>
        <translation>Cuts the box at random until a puzzle with exactly one solution turns up.</translation>
    </message>
    <message>
        <source>探しています…</source>
        <translation>Searching…</translation>
    </message>
    <message>
        <source>中止しています…</source>
        <translation>Stopping…</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>条件に合うパズルが見つかりませんでした（%1 回試しました）。
条件を変えて、もう一度どうぞ。</source>
        <translation>No puzzle matched in %1 tries.
Change the settings and try again.</translation>
    </message>
    <message>
        <source>この条件ではパズルを作れません：%1</source>
        <translation>No puzzle can be made with these settings: %1</translation>
    </message>
</context>
<context>
    <name>pakkon::frmInput</name>
    <message>
        <source>パズル作成&#x3000;セル設定</source>
        <translation>New Puzzle: Box Size</translation>
    </message>
    <message>
        <source>セルの数を入力してください。</source>
        <translation>Enter the number of cells along each side.</translation>
    </message>
    <message>
        <source>値は、２ ～ ４の範囲。</source>
        <translation>Each from 2 to 4.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>pakkon::frmMain</name>
    <message>
        <source>ヒント	H</source>
        <translation>Hint	H</translation>
    </message>
    <message>
        <source>完成できるか表示</source>
        <translation>Show If Still Solvable</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message numerus="yes">
        <source>このままでは完成できません。ブロック %1 を外してみましょう。</source>
        <translation>
            <numerusform>This can&apos;t be finished as it stands. Try taking out block %1.</numerusform>
            <numerusform>This can&apos;t be finished as it stands. Try taking out blocks %1.</numerusform>
        </translation>
    </message>
    <message>
        <source> と </source>
        <translation> and </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>このパズルは、空の箱からでも完成できません。</source>
        <translation>This puzzle can&apos;t be finished, not even from an empty box.</translation>
    </message>
    <message>
        <source>箱の中身が、箱からはみ出しています。<byte value="xd"/>
[ Orgin ] や [ Turn ] で箱の中へ戻してください。</source>
        <translation>Part of the box&apos;s content sticks out of the box.<byte value="xd"/>
Bring it back inside with [ Origin ] or [ Turn ].</translation>
    </message>
    <message>
        <source>もう完成しています。</source>
        <translation>It&apos;s already finished!</translation>
    </message>
    <message>
        <source>時間内にヒントを見つけられませんでした。</source>
        <translation>Couldn&apos;t find a hint in time.</translation>
    </message>
    <message>
        <source>ヒント：%1 回</source>
        <translation>Hints: %1</translation>
    </message>
    <message>
        <source>まだ完成できます</source>
        <translation>Still solvable</translation>
    </message>
    <message>
        <source>このままでは完成できません</source>
        <translation>Can&apos;t be finished as it stands</translation>
    </message>
    <message>
        <source>調べています</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>予期しないエラーのため、自動装填を中断しました。<byte value="xd"/>
%1</source>
        <translation>Auto Load stopped after an unexpected error.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>解答パスワードを入力してください
（半角英数字１０文字以内）
パスワードを設定しないと、ブロックの再編集が出来なくなります。
また、「参った・・・」で、解答を拝めなくなります。</source>
        <translation>Enter the answer password
(up to 10 letters and digits).
Without a password the blocks can&apos;t be edited again,
and Give Up… can&apos;t show the solution.</translation>
    </message>
    <message>
        <source>パスワードに使えない文字があります： %1<byte value="xd"/>
半角の英字・数字・記号で入力してください。<byte value="xd"/>
ただし w は 9 文字目まで、x は 8 文字目まで、y は 7 文字目まで、z は 6 文字目までです。</source>
        <translation>The password has characters it can&apos;t hold: %1<byte value="xd"/>
Use plain letters, digits and symbols.<byte value="xd"/>
But w may only be up to the 9th character, x up to the 8th, y up to the 7th and z up to the 6th.</translation>
    </message>
    <message>
        <source>コメントを入力してください
（全角２０文字以内）</source>
        <translation>Enter a comment
(up to 20 Japanese or 40 plain characters)</translation>
    </message>
    <message>
        <source>正常に終了しました。</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>上書き保存しますか？</source>
        <translation>Save over the file?</translation>
    </message>
    <message>
        <source>[ %1 ] の上書き保存</source>
        <translation>Save [ %1 ]</translation>
    </message>
    <message>
        <source>パズル上書き保存</source>
        <translation>Save Puzzle</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>パズルを開く(&amp;O)</source>
        <translation>&amp;Open Puzzle…</translation>
    </message>
    <message>
        <source>パズルに名前を付けて保存(&amp;A)</source>
        <translation>Save Puzzle &amp;As…</translation>
    </message>
    <message>
        <source>パズルの上書き保存(&amp;S)</source>
        <translation>&amp;Save Puzzle</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>２Ｄパネル</source>
        <translation>2D Panel</translation>
    </message>
    <message>
        <source>自動移動</source>
        <translation>Auto Move</translation>
    </message>
    <message>
        <source>置き場所を表示</source>
        <translation>Show Landing Place</translation>
    </message>
    <message>
        <source>ﾂｰﾙ(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>完成体を元にブロック作成</source>
        <translation>Make Blocks from a Finished Box</translation>
    </message>
    <message>
        <source>ブロック単体の作成</source>
        <translation>Make Blocks One by One</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報....</source>
        <translation>About Pakkon…</translation>
    </message>
    <message>
        <source>参った・・・</source>
        <translation>Give Up…</translation>
    </message>
    <message>
        <source>パズル作成ツール....</source>
        <translation>Puzzle Maker…</translation>
    </message>
    <message>
        <source>ピース№</source>
        <translation>Block no.</translation>
    </message>
    <message>
        <source>Turn-Z</source>
        <translation>Turn-Z</translation>
    </message>
    <message>
        <source>正面から見て、時計回り</source>
        <translation>Clockwise, seen from the front</translation>
    </message>
    <message>
        <source>Turn-X</source>
        <translation>Turn-X</translation>
    </message>
    <message>
        <source>右から見て、反時計回り</source>
        <translation>Anticlockwise, seen from the right</translation>
    </message>
    <message>
        <source>Turn-Y</source>
        <translation>Turn-Y</translation>
    </message>
    <message>
        <source>上から見て、反時計回り</source>
        <translation>Anticlockwise, seen from above</translation>
    </message>
    <message>
        <source>Orgin</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>原点へ移動</source>
        <translation>Push into the corner</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>パズルを消去</source>
        <translation>Empty the box</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>ブロックを装填する</source>
        <translation>Load the block into the box</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>装填をキャンセルする</source>
        <translation>Take back the last load</translation>
    </message>
    <message>
        <source>Check Ded space</source>
        <translation>Check dead space</translation>
    </message>
    <message>
        <source>デッド・スペース（八方塞がり）をチェックする</source>
        <translation>Warn about dead space: cells nothing can fill any more</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>UNLOAD</source>
        <translation>Unload</translation>
    </message>
    <message>
        <source>ブロックを取り外す</source>
        <translation>Take the marked block out of the box</translation>
    </message>
    <message>
        <source>Auto Load</source>
        <translation>Auto Load</translation>
    </message>
    <message>
        <source>INIT</source>
        <translation>INIT</translation>
    </message>
    <message>
        <source>ピースの姿勢や組込順番を初期化する</source>
        <translation>Reset the blocks&apos; orientations and loading order</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>LOAD</source>
        <translation>LOAD</translation>
    </message>
    <message>
        <source>自動で装填する</source>
        <translation>Load automatically</translation>
    </message>
    <message>
        <source>Botom</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>X-</source>
        <translation>X-</translation>
    </message>
    <message>
        <source>左へ移動</source>
        <translation>Move left</translation>
    </message>
    <message>
        <source>X+</source>
        <translation>X+</translation>
    </message>
    <message>
        <source>右へ移動</source>
        <translation>Move right</translation>
    </message>
    <message>
        <source>Y-</source>
        <translation>Y-</translation>
    </message>
    <message>
        <source>上へ移動</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Y+</source>
        <translation>Y+</translation>
    </message>
    <message>
        <source>下へ移動</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Z-</source>
        <translation>Z-</translation>
    </message>
    <message>
        <source>奥へ移動</source>
        <translation>Move away from you</translation>
    </message>
    <message>
        <source>Z+</source>
        <translation>Z+</translation>
    </message>
    <message>
        <source>手前に移動</source>
        <translation>Move toward you</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>ピースの向きを、作成時に戻します</source>
        <translation>Put the blocks back as they were made</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Shuffle</translation>
    </message>
    <message>
        <source>ピースの向きを、ランダムに設定します</source>
        <translation>Turn the blocks every which way</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>AUTO NEXT</source>
        <translation>AUTO NEXT</translation>
    </message>
    <message>
        <source>[Set]時、ブロックを進めます。</source>
        <translation>Go on to the next block on [Set].</translation>
    </message>
    <message>
        <source>セル数</source>
        <translation>Cells</translation>
    </message>
    <message>
        <source>ピース面&#x3000;№</source>
        <translation>Face no.</translation>
    </message>
    <message>
        <source>作成中のブロックが、破棄されます。よろしいですか？</source>
        <translation>The blocks you&apos;re making will be thrown away. Is that OK?</translation>
    </message>
    <message>
        <source>パズルを開く</source>
        <translation>Open Puzzle</translation>
    </message>
    <message>
        <source>パズル一覧(&amp;L)…</source>
        <translation>Puzzle &amp;List…</translation>
    </message>
    <message>
        <source>新しいパズルを作る(&amp;N)…</source>
        <translation>&amp;New Puzzle…</translation>
    </message>
    <message>
        <source>時間 %1&#x3000;手数 %2</source>
        <translation>Time %1  Moves %2</translation>
    </message>
    <message>
        <source>完成 %1&#x3000;手数 %2</source>
        <translation>Solved in %1  Moves %2</translation>
    </message>
    <message>
        <source>新しいパズルを保存できませんでした。<byte value="xd"/>
%1</source>
        <translation>Couldn&apos;t save the new puzzle.<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>新しいパズルを作る</source>
        <translation>New Puzzle</translation>
    </message>
    <message>
        <source>時間と手数を表示</source>
        <translation>Show Time and Moves</translation>
    </message>
    <message>
        <source>1 ～ 8&#x3000;&#x3000;ブロックを選ぶ（リストと同じ）<byte value="xd"/>
← →&#x3000;&#x3000;X-&#x3000;X+<byte value="xd"/>
↑ ↓&#x3000;&#x3000;Y-&#x3000;Y+<byte value="xd"/>
PageUp&#x3000;PageDown&#x3000;&#x3000;Z+&#x3000;Z-<byte value="xd"/>
Q&#x3000;W&#x3000;E&#x3000;&#x3000;ブロックの Turn-Z&#x3000;Turn-X&#x3000;Turn-Y<byte value="xd"/>
O&#x3000;&#x3000;ブロックの Orgin<byte value="xd"/>
B&#x3000;&#x3000;Botom<byte value="xd"/>
R&#x3000;&#x3000;Reset<byte value="xd"/>
S&#x3000;&#x3000;Shuffle<byte value="xd"/>
Enter&#x3000;Space&#x3000;&#x3000;Load<byte value="xd"/>
Backspace&#x3000;&#x3000;Cancel<byte value="xd"/>
Ctrl+1 ～ Ctrl+8&#x3000;&#x3000;[Block] 枠のブロックに印を付ける<byte value="xd"/>
U&#x3000;&#x3000;UNLOAD（印の付いたブロック）<byte value="xd"/>
Delete&#x3000;&#x3000;Clear<byte value="xd"/>
Shift+Q&#x3000;Shift+W&#x3000;Shift+E&#x3000;&#x3000;箱の Turn-Z&#x3000;Turn-X&#x3000;Turn-Y<byte value="xd"/>
Shift+O&#x3000;&#x3000;箱の Orgin<byte value="xd"/>
H&#x3000;&#x3000;ヒント<byte value="xd"/>
Ctrl+Z&#x3000;&#x3000;元に戻す<byte value="xd"/>
Ctrl+Y&#x3000;Ctrl+Shift+Z&#x3000;&#x3000;やり直し<byte value="xd"/>
<byte value="xd"/>
ボタンやチェックボックスを選んでいるときの Space と Enter、<byte value="xd"/>
ブロックのリストを選んでいるときの ↑ ↓ PageUp PageDown は、そのボタンやリストが使います。<byte value="xd"/>
デモンストレーションの間は、キーは働きません。</source>
        <translation>1 – 8&#x3000;&#x3000;select a block (as the list does)<byte value="xd"/>
← →&#x3000;&#x3000;X-&#x3000;X+<byte value="xd"/>
↑ ↓&#x3000;&#x3000;Y-&#x3000;Y+<byte value="xd"/>
Page Up&#x3000;Page Down&#x3000;&#x3000;Z+&#x3000;Z-<byte value="xd"/>
Q&#x3000;W&#x3000;E&#x3000;&#x3000;the block&apos;s Turn-Z&#x3000;Turn-X&#x3000;Turn-Y<byte value="xd"/>
O&#x3000;&#x3000;the block&apos;s Origin<byte value="xd"/>
B&#x3000;&#x3000;Bottom<byte value="xd"/>
R&#x3000;&#x3000;Reset<byte value="xd"/>
S&#x3000;&#x3000;Shuffle<byte value="xd"/>
Enter&#x3000;Space&#x3000;&#x3000;Load<byte value="xd"/>
Backspace&#x3000;&#x3000;Cancel<byte value="xd"/>
Ctrl+1 – Ctrl+8&#x3000;&#x3000;mark that block in the Block frame<byte value="xd"/>
U&#x3000;&#x3000;UNLOAD (the marked block)<byte value="xd"/>
Delete&#x3000;&#x3000;Clear<byte value="xd"/>
Shift+Q&#x3000;Shift+W&#x3000;Shift+E&#x3000;&#x3000;the box&apos;s Turn-Z&#x3000;Turn-X&#x3000;Turn-Y<byte value="xd"/>
Shift+O&#x3000;&#x3000;the box&apos;s Origin<byte value="xd"/>
H&#x3000;&#x3000;Hint<byte value="xd"/>
Ctrl+Z&#x3000;&#x3000;Undo<byte value="xd"/>
Ctrl+Y&#x3000;Ctrl+Shift+Z&#x3000;&#x3000;Redo<byte value="xd"/>
<byte value="xd"/>
With a button or check box focused, Space and Enter press it;<byte value="xd"/>
with the block list focused, ↑ ↓ Page Up and Page Down move its row.<byte value="xd"/>
During the demonstration the keys do nothing.</translation>
    </message>
    <message>
        <source>キー操作</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>箱に、入れたどのブロックのものでもないセルがあります。<byte value="xd"/>
[ Clear ] で箱を空にすれば、完成できます。</source>
        <translation>The box holds cells that belong to no block you loaded.<byte value="xd"/>
Empty it with [ Clear ], and it can be finished.</translation>
    </message>
    <message>
        <source>キー操作(&amp;K)…</source>
        <translation>&amp;Keys…</translation>
    </message>
</context>
<context>
    <name>pakkon::frmPuzzleList</name>
    <message>
        <source>パズル一覧</source>
        <translation>Puzzle List</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ブロック</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>難しさ</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Solved</translation>
    </message>
    <message>
        <source>最短時間</source>
        <translation>Best time</translation>
    </message>
    <message>
        <source>最少手数</source>
        <translation>Fewest moves</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>解答パスワード…</source>
        <translation>Answer Password…</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>フォルダ：%1</source>
        <translation>Folder: %1</translation>
    </message>
    <message>
        <source>フォルダを読めません：%1</source>
        <translation>Can&apos;t read the folder: %1</translation>
    </message>
    <message>
        <source>完成 %1 回、降参してから完成 %2 回、最少ヒント %3 回</source>
        <translation>Solved: %1, after giving up: %2, fewest hints: %3</translation>
    </message>
    <message>
        <source>降参してから完成 %1 回</source>
        <translation>Solved after giving up: %1</translation>
    </message>
    <message>
        <source>難しさを調べています</source>
        <translation>Rating the difficulty…</translation>
    </message>
    <message>
        <source>降参しますか？</source>
        <translation>Give up?</translation>
    </message>
    <message>
        <source>悔しいけども．．．</source>
        <translation>It hurts, but…</translation>
    </message>
    <message>
        <source>このパズルの解答パスワードは「%1」です。<byte value="xd"/>
「ヘルプ → 参った・・・」で入力してください。</source>
        <translation>The answer password of this puzzle is &quot;%1&quot;.<byte value="xd"/>
Type it into Help → Give Up…</translation>
    </message>
    <message>
        <source>参った</source>
        <translation>Give Up</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hints</translation>
    </message>
</context>
</TS>
