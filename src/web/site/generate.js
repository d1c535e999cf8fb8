'use strict';
// The generator off the page's thread: a second instance of the core in a
// worker, so the page stays live and Cancel can end the run at once.

importScripts('pakkon.js');
const ready = createPakkon();

onmessage = async (e) => {
  const core = await ready;
  const a = e.data;
  const r = core.generate(a.language, a.x, a.y, a.z, a.blocks, a.minStars, a.maxStars, a.identical, a.seed,
    (tries, most) => postMessage({ kind: 'progress', tries, most }));
  postMessage({ kind: 'done', ...r }, r.file ? [r.file.buffer] : []);
};
