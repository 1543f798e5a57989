-- Neovim's own LSP client against nimbrel-lsp, run headless by
-- editor_lens.sh: the code lens ▶ 再生 above the list line of animation 6,
-- its command run through the client as a user's click runs it.

local server, file = os.getenv('NIMBREL_LSP'), os.getenv('NIMBREL_FILE')
local function fail(what)
  io.stderr:write('FAILED: ' .. what .. '\n')
  vim.cmd('cquit 1')
end

vim.cmd('edit ' .. vim.fn.fnameescape(file))
local buf = vim.api.nvim_get_current_buf()
local client = vim.lsp.start_client({ name = 'nimbrel', cmd = { server }, root_dir = vim.fn.fnamemodify(file, ':h') })
if client == nil then fail('the server starts') end
vim.lsp.buf_attach_client(buf, client)
vim.wait(5000, function() return vim.lsp.get_client_by_id(client).initialized end, 20)

local line = vim.fn.search('^#PATERN 06 ', 'nw') - 1
local lens
vim.wait(5000, function()
  local answers = vim.lsp.buf_request_sync(buf, 'textDocument/codeLens',
    { textDocument = { uri = vim.uri_from_bufnr(buf) } }, 2000) or {}
  for _, l in ipairs((answers[client] or {}).result or {}) do
    if l.range.start.line == line then lens = l end
  end
  return lens ~= nil
end, 100)
if lens == nil then fail('a lens above the list line of animation 6') end
if lens.command == nil then
  local resolved = vim.lsp.buf_request_sync(buf, 'codeLens/resolve', lens, 5000) or {}
  lens = (resolved[client] or {}).result or lens
end
if lens.command == nil or lens.command.title ~= '▶ 再生' then fail('the lens reads ▶ 再生') end

local answers = vim.lsp.buf_request_sync(buf, 'workspace/executeCommand',
  { command = lens.command.command, arguments = lens.command.arguments }, 5000) or {}
local answer = answers[client]
if answer == nil or answer.err ~= nil then fail('the lens command runs: ' .. vim.inspect(answer)) end
io.stdout:write('neovim: ran ' .. lens.command.command .. ' ' .. vim.inspect(lens.command.arguments) .. '\n')
vim.cmd('qall!')
